#include "ui/qt/qt_text.h"

#include "platform/text_codec.h"
#include "ui/model/typed_text.h"

namespace kalendo {

QString ToQt(std::string_view cp932) {
    const std::string utf8 = Utf8FromCp932(cp932);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

ExactCp932 FromQt(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return Cp932FromUtf8Exact(
        std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

ExactCp932 FromQtTypedExact(const QString& text) {
    return FromQt(text.normalized(QString::NormalizationForm_KC));
}

std::string FromQtTyped(const QString& text) { return FromQtTypedExact(text).cp932; }

bool TypedQtFieldsHeld(std::initializer_list<QtTypedField> fields) {
    std::vector<std::vector<UnheldCharacter>> unheld;
    unheld.reserve(fields.size());  // TypedField points into it
    std::vector<TypedField> typed;
    for (const QtTypedField& f : fields) {
        unheld.push_back(FromQtTypedExact(f.text).unheld);
        typed.push_back({f.nameCp932, &unheld.back(), false});
    }
    return TypedFieldsHeld(typed);
}

QString ToQtLines(std::string_view cp932) {
    QString text = ToQt(cp932);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QColor ToQColor(const Rgb& rgb) { return QColor(rgb.r, rgb.g, rgb.b); }

}  // namespace kalendo
