#pragma once
// How the main window's supervision opens the sensor window without knowing
// it: the sensor window implements this, the application wires it in.

namespace quarn::app {

class SensorWindowOpener {
  public:
    virtual ~SensorWindowOpener() = default;
    // Shows the sensor window modeless. Its load runs at once: it sets
    // SelDevice to 1 and, at its end, FlagExitProgram to True.
    virtual void ShowSensorWindow() = 0;
};

}  // namespace quarn::app
