#include "ModalDialogs.h"

#include <QDialog>

#include <mutex>

namespace kx {

namespace {

    std::mutex g_mutex;
    ModalDialogs::Driver g_driver;

} // namespace

int ModalDialogs::run(QDialog& dialog)
{
    Driver driver;
    {
        std::lock_guard lock(g_mutex);
        driver = g_driver;
    }
    return driver ? driver(dialog) : dialog.exec();
}

void ModalDialogs::setDriver(Driver driver)
{
    std::lock_guard lock(g_mutex);
    g_driver = std::move(driver);
}

} // namespace kx
