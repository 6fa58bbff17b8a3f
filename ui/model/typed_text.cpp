#include "ui/model/typed_text.h"

#include "platform/platform.h"
#include "ui/model/model_texts.h"
#include "ui/model/text_format.h"

namespace kalendo {
namespace {

// The texts of the message are CP932 like every text of the system; they
// become UTF-8 before the characters, which CP932 cannot show, go in.
std::string Utf8(const char* cp932) { return Utf8FromCp932(cp932); }

std::string NamedLine(const TypedField& field, const UnheldCharacter& u) {
    const std::string name = Utf8(field.nameCp932);
    const std::string code = UnheldCharacterCode(u);
    if (field.multiLine) {
        return FormatUnbounded(Utf8(kUnheldTypedLineFormat).c_str(), name.c_str(), u.line,
                               u.column, u.utf8.c_str(), code.c_str());
    }
    return FormatUnbounded(Utf8(kUnheldTypedFormat).c_str(), name.c_str(), u.column,
                           u.utf8.c_str(), code.c_str());
}

}  // namespace

std::optional<std::string> UnheldTypedMessage(const std::vector<TypedField>& fields) {
    std::string message;
    int count = 0;
    for (const TypedField& field : fields) {
        for (const UnheldCharacter& u : *field.unheld) {
            if (count++ == 0) message = Utf8(kUnheldTypedHeading);
            if (count <= kMaxNamedUnheld) message += "\r\n" + NamedLine(field, u);
        }
    }
    if (count == 0) return std::nullopt;
    if (count > kMaxNamedUnheld) {
        message += "\r\n" + FormatUnbounded(Utf8(kUnheldTypedMoreFormat).c_str(),
                                            count - kMaxNamedUnheld);
    }
    return message;
}

bool TypedFieldsHeld(const std::vector<TypedField>& fields) {
    const std::optional<std::string> message = UnheldTypedMessage(fields);
    if (message) ThePlatform().ShowMessageUtf8(*message);
    return !message;
}

}  // namespace kalendo
