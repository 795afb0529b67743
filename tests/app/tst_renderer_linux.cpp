#include <QProcess>
#include <QtTest>

#include "privatexserver.h"
#include "programcopy.h"

// The real program on a private X server says which renderer drew its first frame.
class tst_Renderer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void firstFrameRenderer_data();
    void firstFrameRenderer();

private:
    QProcessEnvironment environment(const QString &backend, const QString &rhiBackend) const;

    PrivateXServer x;
    QTemporaryDir scratch;
};

void tst_Renderer::initTestCase()
{
    QVERIFY(scratch.isValid());
    const QString error = x.start();
    QVERIFY2(error.isEmpty(), qPrintable(error));
    const QString copyError = copyProgramTo(scratch.filePath("app"));
    QVERIFY2(copyError.isEmpty(), qPrintable(copyError));
}

// Empty values are left out of the environment, as when the user sets nothing.
QProcessEnvironment tst_Renderer::environment(
    const QString &backend, const QString &rhiBackend) const
{
    QProcessEnvironment env = x.environment();
    env.remove("QT_QUICK_BACKEND");
    env.remove("QSG_RHI_BACKEND");
    if (!backend.isEmpty())
        env.insert("QT_QUICK_BACKEND", backend);
    if (!rhiBackend.isEmpty())
        env.insert("QSG_RHI_BACKEND", rhiBackend);
    env.insert("SKELDA_VIRTUAL_DEVICE", "mouse");
    env.insert("SKELDA_SYSTEM_POINTER", "none");
    env.insert("SKELDA_REPORT_FIRST_FRAME", "1");
    return env;
}

void tst_Renderer::firstFrameRenderer_data()
{
    QTest::addColumn<QString>("backend");
    QTest::addColumn<QString>("rhiBackend");
    QTest::addColumn<QString>("renderer");
    QTest::newRow("nothing chosen") << ""
                                    << ""
                                    << "software";
    QTest::newRow("software chosen") << "software"
                                     << ""
                                     << "software";
    QTest::newRow("scene graph on the GPU chosen") << "rhi"
                                                   << ""
                                                   << "opengl";
    QTest::newRow("GPU interface chosen") << ""
                                          << "opengl"
                                          << "opengl";
}

void tst_Renderer::firstFrameRenderer()
{
    QFETCH(QString, backend);
    QFETCH(QString, rhiBackend);
    QFETCH(QString, renderer);
#ifdef __SANITIZE_ADDRESS__
    // Mesa's software rasteriser draws no first frame within the limit in the
    // address-checking build; the rows of our own renderer still run there.
    if (renderer == "opengl")
        QSKIP("the GPU scene graph does not draw in time in the address-checking build");
#endif
    QProcess program;
    program.setProcessEnvironment(environment(backend, rhiBackend));
    program.setWorkingDirectory(scratch.path());
    program.start(scratch.filePath("app/skelda"), {});
    QVERIFY(program.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(program.canReadLine(), 30000);
    const QString line = QString::fromLatin1(program.readLine()).trimmed();
    program.kill();
    program.waitForFinished(5000);
    QCOMPARE(line, "first frame " + renderer);
}

QTEST_GUILESS_MAIN(tst_Renderer)
#include "tst_renderer_linux.moc"
