#include "draw/engine_testutil.h"

namespace vt::test {

void EngineTest::Use(int width, int height, int32_t code, uint32_t fill) {
    engine.SetImage(nullptr);
    image = MakeImage(width, height, code, fill);
    engine.SetImage(&image);
    engine.SetColorA(kA);
    engine.SetColorB(kB);
    view.Clear();
}

void EngineTest::Drag(const std::vector<Point>& path, MouseButton b, bool shift) {
    Press(path.front(), b);
    for (size_t i = 1; i < path.size(); ++i) Move(path[i], shift);
    Release(b);
}

std::vector<Point> EngineTest::PixelsOf(Ink ink) {
    std::vector<Point> out;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (At(x, y) == ink) out.push_back({x, y});
    return out;
}

}  // namespace vt::test
