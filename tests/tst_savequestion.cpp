#include "shellfixture.h"
#include "ui/frmmain.h"
#include "windowdriver.h"

// Save asks before the record would change what was typed: a field cut to
// its width, or characters Windows-1252 lacks turned into "?".
class TestSaveQuestion : public ShellFixture
{
    Q_OBJECT
private Q_SLOTS:
    void init() { newFolder(); }
    void asksWhatWouldChange_data();
    void asksWhatWouldChange();
};

void TestSaveQuestion::asksWhatWouldChange_data()
{
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("answer"); // empty: no question expected
    QTest::addColumn<QString>("question");
    QTest::addColumn<QByteArray>("saved"); // empty: the file is left as it was

    const QString polish = QStringLiteral("Za\u017c\u00f3\u0142\u0107 g\u0119\u015bl\u0105 "
                                          "ja\u017a\u0144");
    const QByteArray polishStored = "Za?\xf3?? g??l? ja??";
    const QString long10482 = QString(10482, u'x');
    const QString intro = QStringLiteral("Saving would change this document:\n\n");

    QTest::newRow("Western text: no question")
        << QStringLiteral("Ren\u00e9e M\u00fcller") << QStringLiteral("Pr\u00e9sentation 100 \u20ac")
        << QStringLiteral("Gr\u00fc\u00dfe") << QString() << QString()
        << recordBytes("Ren\xe9" "e M\xfcller", {}, "Pr\xe9sentation 100 \x80", "Gr\xfc\xdf" "e");
    QTest::newRow("Polish subject, Cancel")
        << QStringLiteral("Jan") << polish << QString() << QStringLiteral("Cancel")
        << intro +
               QStringLiteral("In the subject, \u017c, \u0142, \u0107, \u0119, \u015b, \u0105, "
                              "\u017a and \u0144 cannot be stored and become ?.")
        << QByteArray();
    QTest::newRow("Polish subject, Escape")
        << QStringLiteral("Jan") << polish << QString() << QStringLiteral("Escape")
        << intro +
               QStringLiteral("In the subject, \u017c, \u0142, \u0107, \u0119, \u015b, \u0105, "
                              "\u017a and \u0144 cannot be stored and become ?.")
        << QByteArray();
    QTest::newRow("Polish subject, Save anyway")
        << QStringLiteral("Jan") << polish << QString() << QStringLiteral("Save anyway")
        << intro +
               QStringLiteral("In the subject, \u017c, \u0142, \u0107, \u0119, \u015b, \u0105, "
                              "\u017a and \u0144 cannot be stored and become ?.")
        << recordBytes("Jan", {}, polishStored);
    QTest::newRow("long message and name, Save anyway")
        << QString(62, u'n') << QStringLiteral("Hi") << long10482 + QStringLiteral("  ")
        << QStringLiteral("Save anyway")
        << intro + QStringLiteral("The recipient is 62 characters long; the file keeps the "
                                  "first 50.\nThe message is 10,482 characters long; the file "
                                  "keeps the first 10,000.")
        << recordBytes(QByteArray(50, 'n'), {}, "Hi", QByteArray(10000, 'x'));
    QTest::newRow("one character, one emoji")
        << QStringLiteral("\u0141ukasz") << QString()
        << QStringLiteral("Thanks \U0001F600") << QStringLiteral("Save anyway")
        << intro + QStringLiteral("In the recipient, \u0141 cannot be stored and becomes ?.\n"
                                  "In the message, \U0001F600 cannot be stored and becomes ?.")
        << recordBytes("?ukasz", {}, {}, "Thanks ?");
}

void TestSaveQuestion::asksWhatWouldChange()
{
    QFETCH(QString, to);
    QFETCH(QString, subject);
    QFETCH(QString, message);
    QFETCH(QString, answer);
    QFETCH(QString, question);
    QFETCH(QByteArray, saved);
    const QByteArray before = recordBytes("Old", "555", "Old subject", "Old message");
    writeBytes(path("faxes.db"), before);
    auto shell = startShell();
    frmMain *w = shell->mainWindow();
    child<QLineEdit>(w, "txtTo")->setText(to);
    child<QLineEdit>(w, "txtFax")->clear();
    child<QLineEdit>(w, "txtSubject")->setText(subject);
    child<QPlainTextEdit>(w, "txtMessage")->setPlainText(message);

    MessageBoxCatcher box(answer);
    click(w, "btnSave");
    QCOMPARE(box.shown, answer.isEmpty() ? 0 : 1);
    QCOMPARE(box.text, question);
    if (!answer.isEmpty()) {
        QCOMPARE(box.title, QStringLiteral("Quillon"));
        QCOMPARE(box.defaultButton, QStringLiteral("Cancel"));
        QCOMPARE(box.format, Qt::PlainText);
    }
    QCOMPARE(fileBytes(path("faxes.db")), saved.isEmpty() ? before : saved);
    QCOMPARE(shown(w, "txtSubject"), subject); // the window is never changed
}

QTEST_MAIN(TestSaveQuestion)
#include "tst_savequestion.moc"
