#pragma once
// How the main window's supervision opens the sensor window without knowing
// it: the sensor window implements this, the application wires it in.

namespace quarn::sensorwin {

class SensorWindowOpener {
  public:
    virtual ~SensorWindowOpener() = default;
    // Shows the sensor window modeless. Its load runs at once: it sets
    // the active window to the sensor window and, at its end, endWithSensorWindow to True.
    virtual void showSensorWindow() = 0;
};

}  // namespace quarn::sensorwin
