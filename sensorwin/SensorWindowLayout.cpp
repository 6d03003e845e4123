// The sensor window as designed: positions, looks and design texts. Applied
// when the form is created and again at every load, so that each opening
// starts from a fresh window.

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

void setLevelLabel(quarn::Label& label, const quarn::TwipsRect& rect, const std::string& text) {
    label.setGeometry(rect);
    label.setCaption(text);
    label.setTransparent(false);
    label.setBackColor(quarn::colors::kWhite);
    label.setBordered(true);
    label.setAlignment(quarn::Alignment::Center);
    label.setFont(kLevelFont);
}

void setParam(quarn::Label& caption, int captionTop, int captionWidth, const std::string& text,
              quarn::ComboList& list, int listTop) {
    caption.setGeometry({kCaptionLeft, captionTop, captionWidth, 192});
    caption.setCaption(text);
    list.setGeometry({kListLeft, listTop, kListWidth, kListHeight});
    list.clear();
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
    levelBar.setScale(20000, 5000, 2500);
    levelBar.setValue(0);

    setLevelLabel(levelValue, {120, 3660, 1032, 312}, "");
    setLevelLabel(peakValue, {120, 4020, 1032, 312}, "0");

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

    setParam(sensitivityCaption, 2460, 1632, "Sensibilit\u00E0", sensitivityList, 2400);
    setParam(relayOnTimeCaption, 2760, 1572, "Tempo ON Rele [sec]", relayOnTimeList, 2700);
    setParam(reactionSpeedCaption, 3060, 1632, "Velocit\u00E0 di reazione", reactionSpeedList,
             3000);
    setParam(mainsFilterCaption, 3360, 1632, "Filtro disturbi di Rete", mainsFilterList, 3300);
    setParam(highTrafficCaption, 3660, 1632, "Modalit\u00E0 Alto Traffico", highTrafficList, 3600);
    setParam(installationHeightCaption, 3960, 1632, "Altezza Installazione", installationHeightList,
             3900);
    installationHeightCaption.setVisible(false);
    installationHeightList.setVisible(false);

    statusBar.setGeometry({0, 4356, kDesignClientWidth, 312});
    statusBar.addPanel(kIdentityPanel);
    statusBar.setPanelText(kIdentityPanel, "");

    conversationTimer->setEnabled(false);
    conversationTimer->setInterval(0);
    peakHoldTimer->setEnabled(false);
    peakHoldTimer->setInterval(0);
}

std::vector<quarn::Control*> SensorWindow::paramFrameControls() {
    return {&heightLabel,
            &detectionAreaPicture,
            &sensitivityCaption,
            &sensitivityList,
            &relayOnTimeCaption,
            &relayOnTimeList,
            &reactionSpeedCaption,
            &reactionSpeedList,
            &mainsFilterCaption,
            &mainsFilterList,
            &highTrafficCaption,
            &highTrafficList,
            &installationHeightCaption,
            &installationHeightList};
}

}  // namespace quarn::sensorwin
