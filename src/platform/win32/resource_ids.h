// Ids of the exe's resources, shared by the resource script and the code.
#pragma once
#define kIconProgram 1
#define kIconWindow 2
#define kBitmapLogo 10
#define kBitmapBack 11
