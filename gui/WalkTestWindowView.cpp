#include "gui/WalkTestWindowView.h"

#include <QBoxLayout>
#include <QEvent>
#include <QKeySequence>
#include <QShortcut>

#include "gui/WalkTestControlViews.h"

namespace quarn::gui {

namespace {

// Share of its box that each label's type takes: the figures and the alarm
// text as large as their boxes allow, the captions above them smaller.
constexpr double kFigureType = 0.85;
constexpr double kAlarmType = 0.6;
constexpr double kCaptionType = 0.7;

// Heights of the rows relative to each other.
constexpr int kAlarmRow = 5;
constexpr int kCaptionRow = 1;
constexpr int kFigureRow = 4;
constexpr int kBarRow = 3;

// Tells the model when the window system takes the window in or out of
// full screen on its own (a window manager's key, a maximise button).
class WindowStateWatcher final : public QObject {
  public:
    WindowStateWatcher(workbench::WalkTestWindow& form, QWidget& window)
        : QObject(&window), form_(form), window_(window) {
        window.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_ && event->type() == QEvent::WindowStateChange) {
            form_.setFullScreen(window_.isFullScreen());
        }
        return false;
    }

  private:
    workbench::WalkTestWindow& form_;
    QWidget& window_;
};

QVBoxLayout* figureColumn(Label& caption, Label& figure, QWidget& client) {
    auto* column = new QVBoxLayout;
    column->addWidget(new ScaledLabelView(caption, kCaptionType, &client), kCaptionRow);
    column->addWidget(new ScaledLabelView(figure, kFigureType, &client), kFigureRow);
    return column;
}

}  // namespace

WalkTestWindowView::WalkTestWindowView(workbench::WalkTestWindow& form)
    : FormWindow(form, Placement::CenterScreen), form_(form) {
    setWindowFlags(Qt::Window);
    setResizable(true);
    attach();
    fullScreenObservation_ =
        std::make_unique<qt::ModelObservation>(form_, [this] { applyFullScreen(); });
}

WalkTestWindowView::~WalkTestWindowView() {
    fullScreenObservation_.reset();
}

void WalkTestWindowView::buildContent(QWidget& client) {
    auto* page = new QVBoxLayout(&client);
    page->addWidget(new ScaledLabelView(form_.alarmField, kAlarmType, &client), kAlarmRow);

    auto* figures = new QHBoxLayout;
    figures->addLayout(figureColumn(form_.levelCaption, form_.levelValue, client), 3);
    figures->addLayout(figureColumn(form_.peakCaption, form_.peakValue, client), 2);
    page->addLayout(figures, kCaptionRow + kFigureRow);

    page->addWidget(new WideLevelBarView(form_.levelBar, &client), kBarRow);

    auto* options = new QHBoxLayout;
    options->addWidget(new LaidOutButtonView(form_.fullScreenButton, &client));
    options->addSpacing(24);
    options->addWidget(new LaidOutCheckBoxView(form_.toneCheck, &client));
    options->addStretch(1);
    page->addLayout(options);
}

void WalkTestWindowView::windowBuilt(qt::FormWidget& window) {
    auto* toggle = new QShortcut(QKeySequence(Qt::Key_F11), &window);
    QObject::connect(toggle, &QShortcut::activated, &window,
                     [this] { form_.onFullScreenToggle(); });
    auto* leave = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
    QObject::connect(leave, &QShortcut::activated, &window, [this] { form_.setFullScreen(false); });
    new WindowStateWatcher(form_, window);
}

void WalkTestWindowView::applyFullScreen() {
    qt::FormWidget* window = widget();
    if (window == nullptr || !window->isVisible() || window->isFullScreen() == form_.fullScreen()) {
        return;
    }
    if (form_.fullScreen()) {
        window->showFullScreen();
    } else {
        window->showNormal();
    }
    window->raise();
    window->activateWindow();
}

}  // namespace quarn::gui
