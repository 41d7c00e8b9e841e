#include "Fabout.h"
#include "Fmbmain.h"
#include "application.h"
#include "keystate.h"
#include "messagebox.h"
#include "wavecue.h"

#include <QIcon>

#include <memory>

int main(int argc, char *argv[])
{
    platform::Application::preferX11OnWayland();
    platform::Application application(argc, argv);
    application.setApplicationVersion(QStringLiteral(MOXA_VERSION_STRING));
    application.setWindowIcon(QIcon(QStringLiteral(":/icons/rovuve.png")));
    try {
        platform::setApplicationTitle(QStringLiteral("Moxabell 2025"));
        platform::installKeyStateTracker(&application);
        platform::setSoundBackend(platform::makeWaveCuePlayer(&application));
        auto mainWindow = std::make_unique<TfrmMBMain>();
        auto about = std::make_unique<TfrmAbout>();
        frmAbout = about.get();
        application.exec();
        frmAbout = nullptr;
        platform::setSoundBackend(nullptr);
    } catch (const std::exception &error) {
        platform::ShowException(error);
    }
    return 0;
}
