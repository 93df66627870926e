// A picture as a PNG file through the Windows Imaging Component, written
// whole or not at all.
#pragma once

// bgr: height top-down rows of width pixels, 3 bytes each (blue, green,
// red), stride bytes apart. False on any failure, with the system's reason.
bool WritePngFile(const char* path, const unsigned char* bgr, int width, int height, int stride, char* reason,
                  int reasonSize);
