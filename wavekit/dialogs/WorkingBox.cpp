#include "WorkingBox.h"

#include "DialogPlacement.h"
#include "exports/InterfaceThread.h"
#include "exports/WindowRegistry.h"
#include "exports/WindowRequests.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace kx {

namespace {

    enum BoxMessage : uint32_t {
        MsgCommand = 0x0111,
        MsgSetRange = WM_USER + 1,
        MsgSetPosition = WM_USER + 2,
    };

    /// The owner's raise for every "Working..." box.
    constexpr int kRaise = 25;

} // namespace

HWND WorkingBox::create(HWND owner, bool withProgress)
{
    auto build = [owner, withProgress] {
        auto* box = new WorkingBox(WindowRegistry::window(owner), withProgress);
        box->show();
        return box->handle();
    };
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return build();
    HWND handle = nullptr;
    callOnThreadOf(app, [&] { handle = build(); });
    return handle;
}

WorkingBox::WorkingBox(QWidget* owner, bool withProgress)
    : QDialog(owner)
{
    setWindowTitle(QStringLiteral("Working..."));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Please wait..."), this));
    // The animation: a bar that keeps moving while the work goes on.
    auto* animation = new QProgressBar(this);
    animation->setObjectName(QStringLiteral("animation110"));
    animation->setRange(0, 0);
    animation->setTextVisible(false);
    layout->addWidget(animation);
    if (withProgress) {
        m_progress = new QProgressBar(this);
        m_progress->setObjectName(QStringLiteral("progress101"));
        m_progress->setRange(0, 100);
        m_progress->setValue(0);
        m_progress->setTextVisible(false);
        layout->addWidget(m_progress);
        auto* labels = new QHBoxLayout;
        labels->addWidget(new QLabel(QStringLiteral("0 %"), this));
        labels->addStretch();
        labels->addWidget(new QLabel(QStringLiteral("50 %"), this));
        labels->addStretch();
        labels->addWidget(new QLabel(QStringLiteral("100 %"), this));
        layout->addLayout(labels);
    }
    placeAboveCentre(*this, owner, kRaise);
    m_handle = WindowRegistry::add(this, nullptr);
    WindowRegistry::setMessageHandler(m_handle,
        [this](uint32_t message, uintptr_t wParam, intptr_t lParam) { return handleMessage(message, wParam, lParam); });
}

WorkingBox::~WorkingBox()
{
    WindowRegistry::remove(m_handle);
}

intptr_t WorkingBox::handleMessage(uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    switch (message) {
    case MsgSetRange:
        if (!m_progress)
            return 0;
        m_progress->setRange(int(wParam), int(lParam));
        return 1;
    case MsgSetPosition:
        if (!m_progress)
            return 0;
        m_progress->setValue(int(wParam));
        return 1;
    case MsgCommand:
        if ((wParam & 0xFFFF) != 1 && (wParam & 0xFFFF) != 2)
            return 0;
        close();
        return 1;
    case MsgClose:
        close();
        return 1;
    }
    return 0;
}

} // namespace kx

extern "C" {

HWND ShowWait(HWND owner)
{
    return kx::WorkingBox::create(owner, false);
}

HWND ShowPercentage(HWND owner)
{
    return kx::WorkingBox::create(owner, true);
}

} // extern "C"
