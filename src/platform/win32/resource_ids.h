// Ids of the exe's resources, shared by the resource script and the code.
#pragma once
#define kIconProgram 1
#define kIconWindow 2
// The banner drawn at 100, 125, 150 and 200 %: the logo and the strip of each scale.
#define kBitmapLogo100 10
#define kBitmapBack100 11
#define kBitmapLogo125 12
#define kBitmapBack125 13
#define kBitmapLogo150 14
#define kBitmapBack150 15
#define kBitmapLogo200 16
#define kBitmapBack200 17
// The manifest that GDI+ is loaded through where it lives in the side-by-side store alone
// (above the ids that Windows reserves for manifests of its own use).
#define kManifestGdiplus 100
