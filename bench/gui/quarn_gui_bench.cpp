// quarn_gui_bench: quarnsoft's own start-up on the built-in simulated
// programmer, with two measuring aids for bench/gui/gui_bench.sh:
//   --first-paint  prints the time from process start to the first paint of
//                  the start window, then ends
//   --no-sensor    nothing behind the simulated programmer (idle figures)
//   --history      opens the signal history window beside the sensor window
//                  as soon as the sensor window is shown (streaming figures)
// Every other argument goes to the program as given, so Qt's options and
// --monitor work as in quarnsoft.

#include <QCoreApplication>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstring>
#include <vector>

#include "FirstPaintProbe.h"
#include "gui/ProgramRun.h"

int main(int argc, char** argv) {
    const auto launched = std::chrono::steady_clock::now();
    bool firstPaint = false;
    bool history = false;
    quarn::gui::StartupAdditions additions;
    char simulate[] = "--simulate";
    std::vector<char*> arguments{argv[0], simulate};
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--first-paint") == 0) {
            firstPaint = true;
        } else if (std::strcmp(argv[i], "--history") == 0) {
            history = true;
        } else if (std::strcmp(argv[i], "--no-sensor") == 0) {
            additions.simulatedSensor = false;
        } else {
            arguments.push_back(argv[i]);
        }
    }
    if (firstPaint) {
        additions.beforeEventLoop = [launched](quarn::gui::GuiApplication& gui) {
            if (QWidget* window = gui.startWindowView().widget()) {
                new quarn::bench::FirstPaintProbe(window, launched);
            }
        };
    }
    if (history) {
        additions.beforeEventLoop = [](quarn::gui::GuiApplication& gui) {
            // Polls until the sensor window is up, then opens the history as
            // the technician would, from the Tools menu.
            auto* poll = new QTimer(QCoreApplication::instance());
            QObject::connect(poll, &QTimer::timeout, poll, [&gui, poll] {
                if (gui.sensorWindow().visible()) {
                    gui.sensorWindow()
                        .toolMenuItem(quarn::sensorwin::SensorTool::SignalHistory)
                        .click();
                    poll->stop();
                }
            });
            poll->start(100);
        };
    }
    int count = static_cast<int>(arguments.size());
    arguments.push_back(nullptr);
    return quarn::gui::runProgram(count, arguments.data(), additions);
}
