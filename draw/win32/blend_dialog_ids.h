#pragma once
// Control identifiers of the "Blend Color" dialog, shared by the dialog code and the programs'
// resource scripts.

#define IDD_BLEND_COLOR 300
#define IDC_BLEND_SAMPLE 330
// Per channel c (0 red, 1 green, 2 blue): bar 301 + 10c, track bar 302 + 10c, edit 303 + 10c,
// up-down 304 + 10c.
#define IDC_BLEND_BAR(c) (301 + 10 * (c))
#define IDC_BLEND_TRACK(c) (302 + 10 * (c))
#define IDC_BLEND_EDIT(c) (303 + 10 * (c))
#define IDC_BLEND_SPIN(c) (304 + 10 * (c))
