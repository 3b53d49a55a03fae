#include "InterfaceThread.h"

#include <QApplication>
#include <QThread>

#include <memory>

#if defined(__SANITIZE_THREAD__)
#define KX_THREAD_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define KX_THREAD_SANITIZER 1
#endif
#endif

#ifdef KX_THREAD_SANITIZER
extern "C" {
void __tsan_acquire(void* address);
void __tsan_release(void* address);
void __tsan_ignore_thread_begin();
void __tsan_ignore_thread_end();
}
#endif

namespace kx {

namespace {

    // Qt carries a call from one thread to another through an event queue and a semaphore that
    // ThreadSanitizer cannot see (Qt is not built with it). These state the order Qt gives: what
    // the caller wrote before the call is seen by the call, what the call wrote by a caller that
    // waited for it. Qt's own call object, built on the calling thread while it posts, is left
    // unchecked.
    void handOver(void* token)
    {
#ifdef KX_THREAD_SANITIZER
        __tsan_release(token);
#else
        (void)token;
#endif
    }

    void takeOver(void* token)
    {
#ifdef KX_THREAD_SANITIZER
        __tsan_acquire(token);
#else
        (void)token;
#endif
    }

    template <class Post> void post(Post&& posting)
    {
#ifdef KX_THREAD_SANITIZER
        __tsan_ignore_thread_begin();
        posting();
        __tsan_ignore_thread_end();
#else
        posting();
#endif
    }

} // namespace

bool runOnInterfaceThread(const std::function<void()>& work)
{
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!app)
        return false;
    callOnThreadOf(app, work);
    return true;
}

void callOnThreadOf(QObject* receiver, const std::function<void()>& work)
{
    if (QThread::currentThread() == receiver->thread()) {
        work();
        return;
    }
    const auto owner = std::make_unique<char>();
    char* const token = owner.get();
    handOver(token);
    post([&] {
        QMetaObject::invokeMethod(
            receiver,
            [&work, token] {
                takeOver(token);
                work();
                handOver(token);
            },
            Qt::BlockingQueuedConnection);
    });
    takeOver(token);
}

void postToThreadOf(QObject* receiver, std::function<void()> work)
{
    auto token = std::make_shared<char>();
    handOver(token.get());
    post([&] {
        QMetaObject::invokeMethod(
            receiver,
            [token, work = std::move(work)] {
                takeOver(token.get());
                work();
            },
            Qt::QueuedConnection);
    });
}

} // namespace kx
