#include "platform/recording_platform.h"

#include "platform/text_codec.h"

namespace kalendo {

void RecordingPlatform::ShowMessage(std::string_view cp932) { messages.emplace_back(cp932); }

void RecordingPlatform::Fatal(std::string_view cp932) {
    messages.emplace_back(cp932);
    throw FatalExit{std::string(cp932), Utf8FromCp932(cp932)};
}

void RecordingPlatform::ShowMessageUtf8(std::string_view utf8) { utf8Messages.emplace_back(utf8); }

void RecordingPlatform::FatalUtf8(std::string_view utf8) {
    utf8Messages.emplace_back(utf8);
    throw FatalExit{std::string(), std::string(utf8)};
}

std::vector<std::string> RecordingPlatform::MessagesUtf8() const {
    std::vector<std::string> out;
    for (const std::string& m : messages) out.push_back(Utf8FromCp932(m));
    out.insert(out.end(), utf8Messages.begin(), utf8Messages.end());
    return out;
}

ScopedRecordingPlatform::ScopedRecordingPlatform() : previous_(nullptr) {
    previous_ = PlatformOrNull();
    SetPlatform(&platform_);
}

ScopedRecordingPlatform::~ScopedRecordingPlatform() { SetPlatform(previous_); }

}  // namespace kalendo
