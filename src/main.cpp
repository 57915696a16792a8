#include <cstdio>

int main()
{
    std::puts("Talvane: the main window is not built yet.");
    return 0;
}
