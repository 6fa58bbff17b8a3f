#include "ui/qt/detail_dialog.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QScrollBar>
#include <QTextDocument>

#include <cmath>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/model/rekichu_view.h"
#include "ui/qt/dialog_buttons.h"
#include "ui/qt/fonts.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/viewer.h"
#include "ui/qt/window_texts.h"

namespace kalendo {
namespace {

constexpr double kViewerPoints = 11.0;
// The almanac text has up to twelve lines; the event text a few names.
constexpr int kAlmanacSize[] = {330, 215};
constexpr int kEventSize[] = {330, 80};
// One or two sentences of close calls, each two or three lines.
constexpr int kCloseCallSize[] = {330, 110};
// The stars' line and the day's notes: most days carry three to eight.
constexpr int kRekichuSize[] = {330, 130};
// The sky: the place and three lines of times.
constexpr int kSkySize[] = {330, 90};

}  // namespace

DetailDialog::DetailDialog(const DetailTexts& texts, QWidget* parent,
                           const std::string& closeCallText, const std::string& eclipseText,
                           const std::string& rekichuText,
                           const std::string& skyText)
    : QDialog(parent) {
    setWindowTitle(ToQt(kDetailCaption));
    const QFont viewerFont = FaceFont(kFacePGothic, kViewerPoints);
    almanac_ = new Viewer(this);
    almanac_->setObjectName(QStringLiteral("almanac"));
    almanac_->setAccessibleName(ToQt(kDetailAlmanacName));
    almanac_->setFont(viewerFont);
    almanac_->setPlainText(ToQtLines(texts.almanac));
    almanac_->setFixedSize(kAlmanacSize[0], kAlmanacSize[1]);
    events_ = new Viewer(this);
    events_->setObjectName(QStringLiteral("events"));
    events_->setAccessibleName(ToQt(kDetailEventsName));
    events_->setFont(viewerFont);
    events_->setPlainText(ToQtLines(texts.events));
    events_->setFixedSize(kEventSize[0], kEventSize[1]);

    const DialogButtons buttons = NewDialogButtons(this, kButtonOkSpaced, nullptr);
    connect(buttons.box, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(almanac_);
    layout->addWidget(events_);
    if (!rekichuText.empty()) {
        rekichu_ = new Viewer(this);
        rekichu_->setObjectName(QStringLiteral("rekichu"));
        rekichu_->setAccessibleName(ToQt(kDetailRekichuName));
        rekichu_->setFont(viewerFont);
        rekichu_->setPlainText(ToQtLines(rekichuText));
        rekichu_->setFixedSize(kRekichuSize[0], kRekichuSize[1]);
        layout->addWidget(rekichu_);
    }
    if (!closeCallText.empty()) {
        closeCalls_ = new Viewer(this);
        closeCalls_->setObjectName(QStringLiteral("closeCalls"));
        closeCalls_->setAccessibleName(ToQt(kDetailCloseCallsName));
        closeCalls_->setFont(viewerFont);
        closeCalls_->setPlainText(ToQtLines(closeCallText));
        closeCalls_->setFixedSize(kCloseCallSize[0], kCloseCallSize[1]);
        layout->addWidget(closeCalls_);
    }
    if (!eclipseText.empty()) {
        // As high as its lines (at most eleven) in the viewer's font, so
        // no line is cut at any scale.
        eclipse_ = new Viewer(this);
        eclipse_->setObjectName(QStringLiteral("eclipse"));
        eclipse_->setAccessibleName(ToQt(kDetailEclipseName));
        eclipse_->setFont(viewerFont);
        eclipse_->setPlainText(ToQtLines(eclipseText));
        const QFontMetrics metrics(eclipse_->font());
        const int lineCount = eclipse_->document()->blockCount();
        const int margins = static_cast<int>(std::ceil(2 * eclipse_->document()->documentMargin()));
        eclipse_->setFixedSize(kAlmanacSize[0], metrics.lineSpacing() * (lineCount + 1) + margins +
                                                    2 * eclipse_->frameWidth());
        layout->addWidget(eclipse_);
    }
    if (!skyText.empty()) {
        sky_ = new Viewer(this);
        sky_->setObjectName(QStringLiteral("sky"));
        sky_->setAccessibleName(ToQt(kDetailSkyName));
        sky_->setFont(viewerFont);
        sky_->setPlainText(ToQtLines(skyText));
        sky_->setFixedSize(kSkySize[0], kSkySize[1]);
        layout->addWidget(sky_);
    }
    layout->addWidget(buttons.box);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    buttons.accept->setFocus();
}

}  // namespace kalendo
