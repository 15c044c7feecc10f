#include "app/CPhotoAlbumApp.h"

#include <QTimer>
#include <utility>

#include "app/CMainDialog.h"
#include "app/ScreenshotTour.h"
#include "app/Workspace.h"

namespace lumora {

CPhotoAlbumApp::CPhotoAlbumApp(ProgramArguments arguments) : arguments_(std::move(arguments)) {}

int CPhotoAlbumApp::run() {
    if (!arguments_.screenshotsDir.empty()) {
        return writeScreenshots(arguments_.source, arguments_.screenshotsDir) ? 0 : 1;
    }
    Workspace workspace;
    CMainDialog window(workspace);
    window.show();
    // The scan or the load runs once the window is on the screen, so that its
    // status line shows the progress.
    QTimer::singleShot(0, &window, [this, &window] {
        if (!arguments_.source.empty()) window.useSource(arguments_.source);
        if (!arguments_.target.empty()) window.useTarget(arguments_.target);
        if (!arguments_.session.empty()) window.loadSessionFile(arguments_.session);
    });
    window.exec();
    return 0;
}

}  // namespace lumora
