#include "launcher/file_checker.h"

#include "file/application_file.h"
#include "file/host_settings.h"
#include "launcher/application_list.h"
#include "model/dm_main.h"
#include "platform/ui/headlessui.h"

#include <QFileInfo>
#include <QMutexLocker>

#include <memory>

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

FileChecker::FileChecker(QObject* parent) : QThread(parent) {
    start(QThread::LowPriority);
}

FileChecker::~FileChecker() {
    {
        QMutexLocker lock(&mutex_);
        stopping_ = true;
        queue_.clear();
        wake_.wakeAll();
    }
    wait();
}

void FileChecker::check(const QList<FileState>& files) {
    QMutexLocker lock(&mutex_);
    queue_ = files;
    wake_.wakeAll();
}

void lowerCurrentThread() {
    // On Linux a thread has a nice value of its own; Qt's thread priorities do not reach the
    // normal scheduler.
    setpriority(PRIO_PROCESS, id_t(syscall(SYS_gettid)), 10);
}

void FileChecker::run() {
    lowerCurrentThread();
    HeadlessUi ui;
    std::unique_ptr<TdmDataSets> dictionaries;
    bool dictionaryUsable = false;
    std::unique_ptr<HostSettings> settings;
    for (;;) {
        FileState state;
        {
            QMutexLocker lock(&mutex_);
            while (queue_.isEmpty() && !stopping_)
                wake_.wait(&mutex_);
            if (stopping_) return;
            state = queue_.takeFirst();
        }
        const TitleScan scanned = scanApplicationFile(state.path);
        state.application = scanned.application;
        state.damaged = scanned.damaged;
        state.title = scanned.title;
        if (state.application && !state.damaged) {
            if (!dictionaries) {
                dictionaries = TdmDataSets::create(ui, DataModuleOptions{});
                dictionaryUsable = dictionaries->SprawdzSlownik();
                settings = std::make_unique<HostSettings>(HostSettings::ReadHostSettings());
            }
            if (dictionaryUsable) {
                HeadlessUi fileUi;
                DataModuleOptions options;
                options.dictionarySource = dictionaries.get();
                auto dm = TdmDataSets::create(fileUi, options);
                dm->SprawdzSlownik();
                ApplicationFile file(*dm, fileUi, *settings);
                file.Silent = true;
                file.OpenApplicationFile(state.path);
                state.checksum = file.VerifyChecksum() ? FileState::Holds : FileState::Fails;
            }
        }
        emit checked(state);
    }
}
