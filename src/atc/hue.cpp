// Hue and saturation of class means, for the black-mode test.
#include <algorithm>
#include <cstdlib>

#include "atc_internal.h"

HueSaturation HueSaturationOf(const TexelColour& colour) {
    int c0 = colour.ch[0];
    int c1 = colour.ch[1];
    int c2 = colour.ch[2];
    int mx = std::max({c0, c1, c2});
    int mn = std::min({c0, c1, c2});
    if (mx == 0) {
        return {-1, 0};
    }
    int saturation = (mx - mn) * 100 / mx;
    if (saturation == 0) {
        return {-1, 0};
    }
    // Every step rounded to double: at exact thirds the product lands on a
    // whole number of degrees (1/3 x 60 gives 20, not 19).
    double d = mx - mn;
    double h;
    if (c0 == mx) {
        h = (c1 - c2) / d;
    } else if (c1 == mx) {
        h = (c2 - c0) / d + 2.0;
    } else {
        h = (c0 - c1) / d + 4.0;
    }
    double degrees = h * 60.0;
    int hue = static_cast<int>(degrees);
    if (hue < 0) {
        hue += 360;
    }
    return {hue, saturation};
}

bool HuesDiffer(int a, int b) {
    if (a == -1) {
        a = b == -1 ? 0 : b;
    }
    if (b == -1) {
        b = a;
    }
    int d = std::abs(a - b);
    if (d > 180) {
        d = 360 - d;
    }
    return d > 30;
}
