#pragma once
// A fixed separator line drawn on a window, in twips, in one of the system's
// 3D colours. Two of them one pixel apart make the etched line under a menu.

namespace quarn::sensorwin {

enum class SystemShade { Shadow3D, Highlight3D };

struct SeparatorLine {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    SystemShade shade = SystemShade::Shadow3D;
};

}  // namespace quarn::sensorwin
