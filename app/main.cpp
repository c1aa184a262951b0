// Starts Ovixian.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char **argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Ovixian"));
    QApplication::setApplicationName(QStringLiteral("Ovixian"));

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Ovixian"));
    window.resize(1024, 720);
    window.show();
    return app.exec();
}
