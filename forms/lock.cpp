#include "forms/lock.h"

#include <QFile>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "qwellib/dialogs.h"
#include "qwellib/text.h"

namespace mintor::forms {

namespace {
int lock_fd = -1;
}

QByteArray lock_file_text(const QString& title) {
    const QString text = QStringLiteral("This file LOCK.TXT is used to prevent multiple instances of program ") +
                         qwel::dquote(title) + QStringLiteral(" running on your PC.") + QStringLiteral("\r\n") +
                         QStringLiteral("If the file is absent it will be created automatically.");
    return text.toUtf8();
}

bool instance_already_running(const QString& program_folder, const QString& title) {
    const QString path = program_folder + QStringLiteral("LOCK.TXT");
    if (!QFile::exists(path)) {
        QFile f(path);
        if (f.open(QIODevice::WriteOnly)) {
            f.write(lock_file_text(title));
            f.close();
        }
    }
    // flock locks belong to the open file: a second open, even in this process, is refused,
    // and closing some other descriptor of the file never drops the lock
    const QByteArray native = QFile::encodeName(path);
    int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        fd = -1;
    }
    if (fd < 0) {
        qwel::show_msg(QStringLiteral("Program ") + qwel::dquote(title) + QStringLiteral(" is already running"));
        return true;
    }
    release_instance_lock();
    lock_fd = fd;
    return false;
}

void release_instance_lock() {
    if (lock_fd < 0) return;
    ::close(lock_fd);
    lock_fd = -1;
}

}  // namespace mintor::forms
