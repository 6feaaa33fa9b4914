#include "io/SystemErrorText.h"

#include <cerrno>

namespace channel {

namespace {

struct ErrorPhrase {
    int code;
    const char* utf8Phrase;
};

// The causes a file write meets in practice.
constexpr ErrorPhrase kPhrases[] = {
    {ENOSPC, "磁盘空间不足"},
#ifdef EDQUOT  // not among the C runtime's codes on Windows
    {EDQUOT, "超出了磁盘配额"},
#endif
    {EFBIG, "文件超过了系统允许的大小"},
    {EACCES, "没有访问权限"},
    {EPERM, "操作不被允许"},
    {EROFS, "磁盘是只读的"},
    {ENOENT, "文件或文件夹不存在"},
    {ENOTDIR, "路径中有一部分不是文件夹"},
    {EISDIR, "目标是一个文件夹"},
    {ENAMETOOLONG, "文件名过长"},
    {EIO, "磁盘读写出错"},
    {EMFILE, "打开的文件过多"},
    {ENFILE, "打开的文件过多"},
    {EBUSY, "文件正被占用"},
    {ETXTBSY, "文件正被占用"},
    {EXDEV, "不能跨磁盘替换文件"},
    {EINVAL, "文件名或参数无效"},
    {ENXIO, "设备不存在"},
    {ENODEV, "设备不存在"},
    {EAGAIN, "资源暂时不可用"},
    {EINTR, "操作被中断"},
};

}  // namespace

QString SystemErrorText(int errorCode) {
    for (const ErrorPhrase& phrase : kPhrases) {
        if (phrase.code == errorCode) return QString::fromUtf8(phrase.utf8Phrase);
    }
    return QStringLiteral("系统错误，错误码 %1").arg(errorCode);
}

}  // namespace channel
