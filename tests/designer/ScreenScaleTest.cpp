// A layout opened and saved on a screen of another scale comes back byte for
// byte as on a screen of scale 1: sizes that controls work out from their
// fonts must not creep into the file.
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

class ScreenScaleTest : public ::testing::Test
{
protected:
    QString Path(const QString &name) const { return dir.filePath(name); }
    QByteArray Read(const QString &name) const
    {
        QFile f(Path(name));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        return f.readAll();
    }
    void Write(const QString &name, const QByteArray &bytes) const
    {
        QFile f(Path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    // Opens and saves a layout with the command-line tool at a screen scale.
    void RoundTrip(const QString &scale, const QString &in, const QString &out) const
    {
        QProcess tool;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_SCALE_FACTOR"), scale);
        tool.setProcessEnvironment(env);
        tool.start(QCoreApplication::applicationDirPath() + "/../formdesigner-export",
                   {"xml", Path(in), Path(out)});
        ASSERT_TRUE(tool.waitForFinished(60000));
        ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    }

    QTemporaryDir dir;
};

// Every kind, as dropped (sizes from the kind's own defaults) and with fonts
// and captions that size the control from its text.
QByteArray Design()
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<root>";
    for (const char *kind : {"Label", "Button", "EditBox", "ListBox", "Memo", "ComboBox",
                             "CheckBox", "RadioButton", "Panel", "GroupBox", "Image", "StringGrid"})
        xml += QByteArray("<control type=\"") + kind + "\"><property name=\"Name\" value=\"" +
               kind + "1\"/><property name=\"Left\" value=\"13\"/><property name=\"Top\" " +
               "value=\"27\"/></control>";
    xml += "<control type=\"Label\"><property name=\"Name\" value=\"Sized\"/>"
           "<property name=\"AutoSize\" value=\"True\"/>"
           "<property name=\"Caption\" value=\"Wide caption, sized to its text\"/>"
           "<property name=\"Font.Size\" value=\"11\"/></control>"
           "<control type=\"EditBox\"><property name=\"Name\" value=\"Tall\"/>"
           "<property name=\"Font.Size\" value=\"15\"/></control>"
           "<control type=\"ComboBox\"><property name=\"Name\" value=\"Picked\"/>"
           "<property name=\"Font.Size\" value=\"13\"/></control>"
           "<control type=\"ListBox\"><property name=\"Name\" value=\"Columns\"/>"
           "<property name=\"Columns\" value=\"3\"/></control>";
    return xml + "</root>\n";
}

TEST_F(ScreenScaleTest, OpeningAndSavingGivesTheSameBytesAtEveryScale)
{
    Write("design.xml", Design());
    RoundTrip("1", "design.xml", "at1.xml");
    const QByteArray atOne = Read("at1.xml");
    ASSERT_TRUE(atOne.contains("value=\"Sized\"")) << atOne.toStdString();
    for (const QString scale : {"1.25", "1.5", "2"}) {
        // A fresh design and one saved at scale 1 both give the bytes of scale 1.
        RoundTrip(scale, "design.xml", "fresh.xml");
        EXPECT_EQ(Read("fresh.xml").toStdString(), atOne.toStdString()) << scale.toStdString();
        RoundTrip(scale, "at1.xml", "again.xml");
        EXPECT_EQ(Read("again.xml").toStdString(), atOne.toStdString()) << scale.toStdString();
    }
}

} // namespace
