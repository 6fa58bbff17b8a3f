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
    // A viewer named for the program and for a screen reader, in the
    // viewer font; `size` {0, 0}: as high as its lines (the eclipse's, at
    // most eleven), so no line is cut at any scale.
    const auto viewer = [this, &viewerFont](const char* objectName, const char* spokenCp932,
                                            const std::string& text, const int (&size)[2]) {
        auto* v = new Viewer(this);
        v->setObjectName(QLatin1String(objectName));
        v->setAccessibleName(ToQt(spokenCp932));
        v->setFont(viewerFont);
        v->setPlainText(ToQtLines(text));
        if (size[0] > 0) {
            v->setFixedSize(size[0], size[1]);
        } else {
            const QFontMetrics metrics(v->font());
            const int lineCount = v->document()->blockCount();
            const int margins = static_cast<int>(std::ceil(2 * v->document()->documentMargin()));
            v->setFixedSize(kAlmanacSize[0],
                            metrics.lineSpacing() * (lineCount + 1) + margins + 2 * v->frameWidth());
        }
        return v;
    };
    almanac_ = viewer("almanac", kDetailAlmanacName, texts.almanac, kAlmanacSize);
    events_ = viewer("events", kDetailEventsName, texts.events, kEventSize);

    const DialogButtons buttons = NewDialogButtons(this, kButtonOkSpaced, nullptr);
    connect(buttons.box, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(almanac_);
    layout->addWidget(events_);
    constexpr int kAsHighAsItsLines[] = {0, 0};
    const struct {
        Viewer** into;
        const char* objectName;
        const char* spoken;
        const std::string& text;
        const int (&size)[2];
    } optional[] = {
        {&rekichu_, "rekichu", kDetailRekichuName, rekichuText, kRekichuSize},
        {&closeCalls_, "closeCalls", kDetailCloseCallsName, closeCallText, kCloseCallSize},
        {&eclipse_, "eclipse", kDetailEclipseName, eclipseText, kAsHighAsItsLines},
        {&sky_, "sky", kDetailSkyName, skyText, kSkySize},
    };
    for (const auto& o : optional) {
        if (o.text.empty()) continue;
        *o.into = viewer(o.objectName, o.spoken, o.text, o.size);
        layout->addWidget(*o.into);
    }
    layout->addWidget(buttons.box);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    buttons.accept->setFocus();
}

}  // namespace kalendo
