#include "CaptureFile.h"

#include "platform/Platform.h"

#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QTextCodec>

#include <algorithm>

Q_LOGGING_CATEGORY(lcCapture, "corvane.capture")

namespace {

// Tool reports are a few kilobytes, the longest error logs a few hundred; anything beyond this is not
// a report and is not read whole, which keeps every check's time and memory bounded.
const size_t LargestCapture = 8 * 1024 * 1024;

QTextCodec* CodecForByteOrderMark(const QByteArray& bytes) {
    // UTF-32 first: its little-endian mark begins with the UTF-16 one.
    if (bytes.startsWith(QByteArray("\xFF\xFE\x00\x00", 4))) return QTextCodec::codecForName("UTF-32LE");
    if (bytes.startsWith(QByteArray("\x00\x00\xFE\xFF", 4))) return QTextCodec::codecForName("UTF-32BE");
    if (bytes.startsWith("\xEF\xBB\xBF")) return QTextCodec::codecForName("UTF-8");
    if (bytes.startsWith("\xFF\xFE")) return QTextCodec::codecForName("UTF-16LE");
    if (bytes.startsWith("\xFE\xFF")) return QTextCodec::codecForName("UTF-16BE");
    return nullptr;
}

// Some tools write UTF-16 without a mark. Text of an 8-bit encoding has no NUL bytes, so NULs in
// every other byte of the first characters give UTF-16 away, and their side tells its byte order.
QTextCodec* CodecForUnmarkedUtf16(const QByteArray& bytes) {
    const int sample = std::min<int>(bytes.size(), 64) & ~1;
    if (sample < 2) return nullptr;
    int nulsAtEven = 0;
    int nulsAtOdd = 0;
    for (int index = 0; index < sample; ++index)
        if (bytes[index] == '\0') ++(index % 2 ? nulsAtOdd : nulsAtEven);
    const int pairs = sample / 2;
    if (nulsAtOdd * 2 > pairs && nulsAtEven == 0) return QTextCodec::codecForName("UTF-16LE");
    if (nulsAtEven * 2 > pairs && nulsAtOdd == 0) return QTextCodec::codecForName("UTF-16BE");
    return nullptr;
}

int ByteOrderMarkLength(const QByteArray& bytes, QTextCodec* codec) {
    const QByteArray name = codec->name();
    if (name.startsWith("UTF-32")) return 4;
    if (name.startsWith("UTF-16")) return 2;
    return bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
}

}  // namespace

namespace {
QString WorkFolder;
bool MonitorClaimed = false;

// Every tool run and file call turns a path back into bytes, so the work folder is taken as text only
// when that gives the very bytes that were checked; any other text would name a folder nobody checked.
std::optional<QString> PathAsText(const std::string& bytes) {
    const QString text = QString::fromStdString(bytes);
    if (text.toStdString() != bytes) return std::nullopt;
    return text;
}
}  // namespace

// Two monitors of one work folder would share the fixed capture names and spoil each other's readings,
// so the folder holds a lock that one monitor claims. Only a lock that another monitor holds keeps a
// monitor out; one that cannot be had for another reason keeps the tools from running until it can.
WorkFolderState PrepareWorkFolder() {
    WorkFolder.clear();
    std::string problem;
    const std::string folder = platform::PrepareWorkDirectory(problem);
    if (folder.empty()) {
        qCWarning(lcCapture) << "no private work folder, so no tool runs:" << QString::fromStdString(problem);
        return WorkFolderState::Unavailable;
    }
    const std::optional<QString> text = PathAsText(folder);
    if (!text) {
        qCWarning(lcCapture) << "no private work folder, so no tool runs:" << QByteArray::fromStdString(folder)
                             << "is not valid UTF-8 and cannot be named exactly";
        return WorkFolderState::Unavailable;
    }
    if (!MonitorClaimed) {
        switch (platform::ClaimSingleInstance(folder + "CorvaneSMART.lock", problem)) {
        case platform::InstanceClaim::HeldByAnother:
            qCInfo(lcCapture) << "another monitor holds the lock of" << *text;
            return WorkFolderState::HeldByAnotherMonitor;
        case platform::InstanceClaim::Unavailable:
            qCWarning(lcCapture) << "the monitor's lock cannot be had, so no tool runs until it can:"
                                 << QString::fromStdString(problem);
            return WorkFolderState::Unavailable;
        case platform::InstanceClaim::Claimed:
            MonitorClaimed = true;
        }
    }
    WorkFolder = *text;
    return WorkFolderState::Ready;
}

QString CapturePath(const QString& fileName) { return WorkFolder.isEmpty() ? QString() : WorkFolder + fileName; }

QStringList DecodeCaptureLines(const QByteArray& bytes) {
    QTextCodec* codec = CodecForByteOrderMark(bytes);
    QString text;
    if (codec) {
        const int markLength = ByteOrderMarkLength(bytes, codec);
        text = codec->toUnicode(bytes.constData() + markLength, bytes.size() - markLength);
    } else if (QTextCodec* utf16 = CodecForUnmarkedUtf16(bytes)) {
        text = utf16->toUnicode(bytes);
    } else {
        text = QTextCodec::codecForLocale()->toUnicode(bytes);
    }
    text.remove(QLatin1Char('\r'));
    if (text.isEmpty()) return {};
    if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
    return text.split(QLatin1Char('\n'));
}

std::optional<QStringList> ReadCaptureLines(const QString& path) {
    const platform::FileContent content = platform::ReadOwnFile(path.toStdString(), LargestCapture);
    if (!content.read) {
        qCDebug(lcCapture) << "cannot read" << path << QString::fromStdString(content.problem);
        return std::nullopt;
    }
    if (content.size > LargestCapture)
        qCWarning(lcCapture) << path << "holds" << content.size << "bytes; reading only the first" << LargestCapture;
    return DecodeCaptureLines(QByteArray::fromStdString(content.bytes));
}

QStringList SplitWords(const QString& line) { return line.split(QLatin1Char(' '), Qt::SkipEmptyParts); }

int ToNumber(const QString& word) { return word.toInt(nullptr, 10); }

bool CaptureHasContent(const QString& path) {
    const platform::FileContent content = platform::ReadOwnFile(path.toStdString(), 1);
    return content.read && content.size != 0;
}

void RemoveCaptureFile(const QString& path) {
    QFile::remove(path);  // a link goes itself, never what it points at, even when that is gone
    const QFileInfo left(path);
    if (left.exists() || left.isSymLink()) qCDebug(lcCapture) << "could not remove" << path;
}
