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
const qint64 LargestCapture = 8 * 1024 * 1024;

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

QString CapturePath(const QString& fileName) {
    return QString::fromStdString(platform::TemporaryDirectory()) + fileName;
}

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
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCDebug(lcCapture) << "cannot open" << path << file.errorString();
        return std::nullopt;
    }
    if (file.size() > LargestCapture)
        qCWarning(lcCapture) << path << "holds" << file.size() << "bytes; reading only the first" << LargestCapture;
    return DecodeCaptureLines(file.read(LargestCapture));
}

QStringList SplitWords(const QString& line) { return line.split(QLatin1Char(' '), Qt::SkipEmptyParts); }

int ToNumber(const QString& word) { return word.toInt(nullptr, 10); }

bool CaptureHasContent(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && info.size() != 0;
}

void RemoveCaptureFile(const QString& path) {
    if (QFile::exists(path) && !QFile::remove(path)) qCDebug(lcCapture) << "could not remove" << path;
}
