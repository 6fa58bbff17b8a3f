#include "ui/model/file_error.h"

#include <cerrno>
#include <cstring>

#include "platform/text_codec.h"
#include "ui/model/file_error_texts.h"
#include "ui/model/ics_texts.h"
#include "ui/model/text_format.h"

namespace kalendo {

std::string FileErrorReason(int error) {
    switch (error) {
        case EACCES:
        case EPERM: return kIcsReasonPermission;
        case ENOSPC: return kIcsReasonNoSpace;
        case EDQUOT: return kIcsReasonQuota;
        case EROFS: return kIcsReasonReadOnly;
        case ENOENT: return kIcsReasonNoFolder;
        case ENOTDIR: return kIcsReasonNotAFolder;
        case EISDIR: return kIcsReasonIsAFolder;
        case EFBIG: return kIcsReasonTooLarge;
        case ENAMETOOLONG: return kIcsReasonNameTooLong;
        case EIO: return kIcsReasonIo;
        case EINVAL: return kReadReasonNotRegular;  // AtomicFileWriter's word for it
        case ELOOP: return kReadReasonLoop;
        case ENOMEM: return kReadReasonNoMemory;
        default: return Cp932FromUtf8(std::strerror(error));
    }
}

std::string FileReadErrorReason(int error) {
    switch (error) {
        case ENOENT: return kReadReasonMissing;
        case EISDIR: return kReadReasonFolder;
        case EFBIG: return kReadReasonTooLarge;
        case EACCES:
        case EPERM: return kReadReasonPermission;
        default: return FileErrorReason(error);
    }
}

std::string UnreadableFileMessage(const char* messageCp932, const std::string& pathUtf8, int error) {
    std::string message = Utf8FromCp932(messageCp932);
    if (message.ends_with('.')) message.pop_back();
    return FormatUnbounded(Utf8FromCp932(kUnreadableFileFormat).c_str(), message.c_str(),
                           Utf8FromCp932(FileReadErrorReason(error)).c_str(), pathUtf8.c_str());
}

std::string WriteErrorMessage(const char* formatCp932, const std::string& pathUtf8, int error) {
    return FormatUnbounded(Utf8FromCp932(formatCp932).c_str(),
                           Utf8FromCp932(FileErrorReason(error)).c_str(), pathUtf8.c_str());
}

}  // namespace kalendo
