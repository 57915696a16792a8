#include "support/ui/OffscreenTests.h"

// GUI tests run on a screen with room for every window at its designed size.
int main(int argc, char** argv)
{
    return runOffscreenTests(argc, argv, {1920, 1200});
}
