// The sensor window as designed: positions, looks and design texts. Applied
// when the form is created and again at every load, so that each opening
// starts from a fresh window.

#include "sensorwin/AreaDrawing.h"
#include "sensorwin/FormRadarZel.h"

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

void SetLevelLabel(quarn::Label& label, const quarn::TwipsRect& rect, const std::string& text) {
    label.setGeometry(rect);
    label.setCaption(text);
    label.setTransparent(false);
    label.setBackColor(quarn::colors::kWhite);
    label.setBordered(true);
    label.setAlignment(quarn::Alignment::Center);
    label.setFont(kLevelFont);
}

void SetParam(quarn::Label& caption, int captionTop, int captionWidth, const std::string& text,
              quarn::ComboList& list, int listTop) {
    caption.setGeometry({kCaptionLeft, captionTop, captionWidth, 192});
    caption.setCaption(text);
    list.setGeometry({kListLeft, listTop, kListWidth, kListHeight});
    list.clear();
}

}  // namespace

void FormRadarZel::SetDesign() {
    setClientSize(kDesignClientWidth, kDesignClientHeight);
    setOuterWidth(kDesignClientWidth);
    setCaption("Radar Zel");

    MenuFileExit.setCaption("&Esci");

    LabelSignal.setGeometry({180, 120, 912, 252});
    LabelSignal.setCaption("SEGNALE");
    LabelSignal.setAlignment(quarn::Alignment::Center);
    LabelSignal.setFont(kHeadingFont);

    LedStatusRadarZel.setGeometry({120, 360, 1032, 372});
    LedStatusRadarZel.setColors({255, 0, 0}, {192, 192, 192});
    LedStatusRadarZel.setOn(false);

    BarSignZel.setGeometry({120, 720, 1032, 2892});
    BarSignZel.setScale(20000, 5000, 2500);
    BarSignZel.setValue(0);

    SetLevelLabel(ValueAlarmRadarZel, {120, 3660, 1032, 312}, "");
    SetLevelLabel(ValueAlarmRadarZelPeak, {120, 4020, 1032, 312}, "0");

    FrameParamZel.setGeometry({1200, 60, 3672, 4272});
    FrameParamZel.setCaption("Parametri");

    LabelHeightRadarZel.setGeometry({240, 300, 3192, 252});
    LabelHeightRadarZel.setCaption("");
    LabelHeightRadarZel.setAlignment(quarn::Alignment::Center);
    LabelHeightRadarZel.setFont(kHeightFont);
    LabelHeightRadarZel.setVisible(false);

    PictureAreaRadarZel.setGeometry({180, 540, 3315, 1800});
    PictureAreaRadarZel.setBackColor(quarn::colors::kWhite);
    PictureAreaRadarZel.setScale(kAreaScaleWidth, kAreaScaleHeight);
    PictureAreaRadarZel.clearDrawing();
    AreaRadarZel.setLook({255, 128, 128}, {255, 0, 0}, 3);
    AreaRadarZel.setBox(AreaBox(kDesignAreaSize));

    SetParam(PrmSensitivity, 2460, 1632, "Sensibilit\u00E0", TreshRadarZel, 2400);
    SetParam(ParTonRele, 2760, 1572, "Tempo ON Rele [sec]", ValueTonReleZel, 2700);
    SetParam(ParVel, 3060, 1632, "Velocit\u00E0 di reazione", VelSenseRadarZel, 3000);
    SetParam(ParFilter, 3360, 1632, "Filtro disturbi di Rete", FilterLineRadarZel, 3300);
    SetParam(ParHighTrafic, 3660, 1632, "Modalit\u00E0 Alto Traffico", FlagHighTrafficRadarZel,
             3600);
    SetParam(ParHeight, 3960, 1632, "Altezza Installazione", SelHeightRadarZel, 3900);
    ParHeight.setVisible(false);
    SelHeightRadarZel.setVisible(false);

    StatusBar.setGeometry({0, 4356, kDesignClientWidth, 312});
    StatusBar.addPanel(kDevMatrPanel);
    StatusBar.setPanelText(kDevMatrPanel, "");

    TimerGestConn->setEnabled(false);
    TimerGestConn->setInterval(0);
    TimerDisplayPeak->setEnabled(false);
    TimerDisplayPeak->setInterval(0);
}

std::vector<quarn::Control*> FormRadarZel::paramFrameControls() {
    return {&LabelHeightRadarZel, &PictureAreaRadarZel, &PrmSensitivity, &TreshRadarZel,
            &ParTonRele,          &ValueTonReleZel,     &ParVel,         &VelSenseRadarZel,
            &ParFilter,           &FilterLineRadarZel,  &ParHighTrafic,  &FlagHighTrafficRadarZel,
            &ParHeight,           &SelHeightRadarZel};
}

}  // namespace quarn::sensorwin
