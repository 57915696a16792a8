#pragma once

// The one screen the offscreen platform shows the tests, in pixels of the device.
struct OffscreenScreen {
    int width;
    int height;
};

// Runs the GUI tests of a test program without a display, on one screen of that size,
// and keeps their settings and notifications out of the user's home.
int runOffscreenTests(int argc, char** argv, OffscreenScreen screen);
