// The start-up reference for the converter: a program that only creates a QCoreApplication.

#include <QCoreApplication>

int main(int argc, char* argv[]) {
    const QCoreApplication app(argc, argv);
    return 0;
}
