// A window that loses memory on purpose, from a slot that Qt's event loop calls: the leak's stack
// runs through Qt's own frames. The leak checker must report it whatever it is told to ignore of
// Qt's, fontconfig's and the GL stack's one-time allocations.

#include <QApplication>
#include <QObject>
#include <QTimer>
#include <QWidget>

namespace {

// Out of line, so the leak's stack names it.
[[gnu::noinline]] void LoseMemoryInAWindow(QWidget& window) {
    // A QObject without parent: Qt keeps no list of those (it does of widgets).
    auto* lost = new QObject;
    lost->setObjectName(window.objectName() + "-lost");
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setObjectName("probe");
    window.show();
    QTimer::singleShot(0, &window, [&window] {
        LoseMemoryInAWindow(window);
        QApplication::quit();
    });
    return QApplication::exec();
}
