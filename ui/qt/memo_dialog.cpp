#include "ui/qt/memo_dialog.h"

#include <QVBoxLayout>

#include "ui/qt/fonts.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/viewer.h"
#include "ui/qt/window_texts.h"

namespace kalendo {
namespace {

constexpr double kViewerPoints = 11.0;
constexpr int kMemoWidth = 300;
constexpr int kTextHeight = 150;

}  // namespace

MemoDialog::MemoDialog(const MemoContent& memo, QWidget* parent) : QDialog(parent) {
    setWindowTitle(ToQt(kMemoCaption));
    const QFont viewerFont = FaceFont(kFacePGothic, kViewerPoints);
    title_ = new ViewerLine(this);
    title_->setFont(viewerFont);
    title_->setText(ToQt(memo.title));
    title_->setCursorPosition(0);
    title_->setFixedWidth(kMemoWidth);
    text_ = new Viewer(this);
    text_->setFont(viewerFont);
    text_->setPlainText(ToQtLines(memo.text));
    text_->setFixedSize(kMemoWidth, kTextHeight);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title_);
    layout->addWidget(text_);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace kalendo
