// The sensor window as designed: positions, looks and design texts. Applied
// when the form is created and again at every load, so that each opening
// starts from a fresh window.

#include <array>

#include "sensorwin/AreaDrawing.h"
#include "sensorwin/SensorWindow.h"

namespace quarn::sensorwin {

namespace {

constexpr int kListWidth = 1635;
constexpr int kListHeight = 315;  // a one-line drop-down list at the design font
constexpr int kListLeft = 1860;
constexpr int kCaptionLeft = 180;
constexpr std::int16_t kDesignAreaSize = 5;

const quarn::FontSpec kHeadingFont{"MS Sans Serif", 9.75, false, false};
const quarn::FontSpec kLevelFont{"MS Sans Serif", 12.0, true, false};
const quarn::FontSpec kHeightFont{"MS Sans Serif", 8.25, true, false};

void setLevelLabel(quarn::Label& label, const quarn::TwipsRect& rect) {
    label.setGeometry(rect);
    label.setTransparent(false);
    label.setBackColor(quarn::colors::kWhite);
    label.setBordered(true);
    label.setAlignment(quarn::Alignment::Center);
    label.setFont(kLevelFont);
}

// Where the window places a parameter's caption and list, the caption's
// design text, and whether the pair is shown (nothing shows a hidden one).
struct ParameterPlacement {
    int captionTop;
    int captionWidth;
    int listTop;
    const char* designCaption;
    bool shown;
};

// In the rows' order of the parameter table.
constexpr std::array<ParameterPlacement, sensor::kParameterCount> kParameterPlacements = {{
    {2460, 1632, 2400, "Sensibilit\u00E0", true},
    {2760, 1572, 2700, "Tempo ON Rele [sec]", true},
    {3060, 1632, 3000, "Velocit\u00E0 di reazione", true},
    {3360, 1632, 3300, "Filtro disturbi di Rete", true},
    {3660, 1632, 3600, "Modalit\u00E0 Alto Traffico", true},
    {3960, 1632, 3900, "Altezza Installazione", false},
}};

void placeParameter(const ParameterPlacement& placement, quarn::Label& caption,
                    quarn::ComboList& list) {
    caption.setGeometry({kCaptionLeft, placement.captionTop, placement.captionWidth, 192});
    caption.setCaption(placement.designCaption);
    list.setGeometry({kListLeft, placement.listTop, kListWidth, kListHeight});
    list.clear();
    caption.setVisible(placement.shown);
    list.setVisible(placement.shown);
}

}  // namespace

void SensorWindow::layOutControls() {
    setClientSize(kDesignClientWidth, kDesignClientHeight);
    setOuterWidth(kDesignClientWidth);
    setCaption("Radar Zel");

    exitMenu.setCaption("&Esci");

    signalCaption.setGeometry({180, 120, 912, 252});
    signalCaption.setCaption("SEGNALE");
    signalCaption.setAlignment(quarn::Alignment::Center);
    signalCaption.setFont(kHeadingFont);

    alarmLed.setGeometry({120, 360, 1032, 372});
    alarmLed.setColors({255, 0, 0}, {192, 192, 192});
    alarmLed.setOn(false);

    levelBar.setGeometry({120, 720, 1032, 2892});
    levelBar.setScale(kLevelBarScale.maximum, kLevelBarScale.majorTick, kLevelBarScale.minorTick);
    levelBar.setValue(0);

    setLevelLabel(levelValue, {120, 3660, 1032, 312});
    setLevelLabel(peakValue, {120, 4020, 1032, 312});
    signal_.clear();

    parametersFrame.setGeometry({1200, 60, 3672, 4272});
    parametersFrame.setCaption("Parametri");

    heightLabel.setGeometry({240, 300, 3192, 252});
    heightLabel.setCaption("");
    heightLabel.setAlignment(quarn::Alignment::Center);
    heightLabel.setFont(kHeightFont);
    heightLabel.setVisible(false);

    detectionAreaPicture.setGeometry({180, 540, 3315, 1800});
    detectionAreaPicture.setBackColor(quarn::colors::kWhite);
    detectionAreaPicture.setScale(kAreaScaleWidth, kAreaScaleHeight);
    detectionAreaPicture.clearDrawing();
    detectionArea.setLook({255, 128, 128}, {255, 0, 0}, 3);
    detectionArea.setBox(areaBox(kDesignAreaSize));

    for (std::size_t i = 0; i < sensor::kParameterCount; ++i) {
        placeParameter(kParameterPlacements[i], parameterControls_[i].caption,
                       parameterControls_[i].list);
    }

    statusBar.setGeometry({0, 4356, kDesignClientWidth, 312});
    statusBar.addPanel(kIdentityPanel);
    statusBar.setPanelText(kIdentityPanel, "");

    conversationTimer->setEnabled(false);
    conversationTimer->setInterval(0);
    peakHoldTimer->setEnabled(false);
    peakHoldTimer->setInterval(0);
}

std::vector<quarn::Control*> SensorWindow::parametersFrameControls() {
    std::vector<quarn::Control*> controls{&heightLabel, &detectionAreaPicture};
    for (ParameterControls& parameter : parameterControls_) {
        controls.push_back(&parameter.caption);
        controls.push_back(&parameter.list);
    }
    return controls;
}

}  // namespace quarn::sensorwin
