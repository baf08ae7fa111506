#include "documents/document.h"
#include "sent/delivery.h"
#include "shellfixture.h"
#include "translations/language.h"
#include "ui/faxreport.h"
#include "ui/frmagreement.h"
#include "ui/frmmain.h"
#include "ui/frmsent.h"
#include "ui/frmsettings.h"
#include "ui/frmsignin.h"
#include "ui/twips.h"
#include "windowdriver.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QHeaderView>
#include <QMenu>
#include <QProcess>
#include <QTableView>
#include <QXmlStreamReader>

// Quillon as started in a language: CTest runs this once for each, with
// LANG (or LANGUAGE) set as a desktop sets it, and the translations are
// loaded as main() loads them. Every window is opened and read back.
class TestLanguages : public ShellFixture
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init() { newFolder(); }
    void windowsSpeakTheLanguage();
    void textsFillTheirPlaceholders_data();
    void textsFillTheirPlaceholders();
    void reportReadsAsWritten();

private:
    // The texts a window shows: title, captions, menu entries, table headings.
    static QStringList captions(QWidget *window);
    // Fails on any text the translation has a different wording for.
    void noEnglishIn(QWidget *window);

    QString m_language; // "de", "fr", "ja"; "en" where none is loaded
    QSet<QString> m_english;
};

void TestLanguages::initTestCase()
{
    language::load();
    const QLocale::Language spoken = QLocale(QLocale::system().uiLanguages().value(0)).language();
    m_language = spoken == QLocale::German     ? QStringLiteral("de")
                 : spoken == QLocale::French   ? QStringLiteral("fr")
                 : spoken == QLocale::Japanese ? QStringLiteral("ja")
                                               : QStringLiteral("en");
    QCOMPARE(language::translated(), m_language != u"en");
    // The English texts a translation words differently, from its .ts file
    // (English itself is checked against German's).
    QFile ts(QStringLiteral(QUILLON_SOURCE_DIR "/translations/quillon_%1.ts")
                 .arg(m_language == u"en" ? QStringLiteral("de") : m_language));
    QVERIFY(ts.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&ts);
    QString source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"source")
            source = xml.readElementText();
        else if (xml.name() == u"translation" &&
                 xml.readElementText(QXmlStreamReader::IncludeChildElements) != source)
            m_english.insert(source);
    }
    QVERIFY(m_english.size() > 200);
}

QStringList TestLanguages::captions(QWidget *window)
{
    QStringList texts{window->windowTitle()};
    for (const QLabel *l : window->findChildren<QLabel *>())
        texts << l->text();
    for (const QAbstractButton *b : window->findChildren<QAbstractButton *>())
        texts << b->text();
    for (const QMenu *m : window->findChildren<QMenu *>()) {
        texts << m->title();
        for (const QAction *a : m->actions())
            texts << a->text();
    }
    for (const QTableView *t : window->findChildren<QTableView *>()) {
        for (int c = 0; c < t->model()->columnCount(); ++c)
            texts << t->model()->headerData(c, Qt::Horizontal).toString();
    }
    texts.removeAll(QString());
    return texts;
}

void TestLanguages::noEnglishIn(QWidget *window)
{
    const QStringList texts = captions(window);
    QVERIFY2(texts.size() > 2, qPrintable(window->objectName()));
    for (const QString &text : texts) {
        if (m_language == u"en")
            QVERIFY2(!text.isEmpty(), qPrintable(text));
        else
            QVERIFY2(!m_english.contains(text),
                     qPrintable(window->objectName() + QStringLiteral(": ") + text));
    }
}

void TestLanguages::windowsSpeakTheLanguage()
{
    {
        auto shell = startShell(false);
        noEnglishIn(shell->agreementWindow());
    }
    auto shell = startShell();
    frmMain *main = shell->mainWindow();
    noEnglishIn(main);
    // The window grows to hold a longer caption; in English it is as drawn.
    auto *send = child<QPushButton>(main, "btnSend");
    QCOMPARE(send->text() == u"Send", m_language == u"en");
    QVERIFY(send->fontMetrics().horizontalAdvance(send->text()) < send->width());
    QCOMPARE(send->width() == twipsToPixels(615, send), m_language == u"en");

    const QList<QAction *> entries = child<QMenu>(main, "mnuMenu")->actions();
    entries.at(1)->trigger(); // Settings
    frmSettings *settings = main->settingsWindow();
    QVERIFY(settings && settings->isVisible());
    noEnglishIn(settings);
    auto *reports = child<QCheckBox>(settings, "chkReports");
    QVERIFY(reports->geometry().right() < settings->width());
    entries.at(3)->trigger(); // Sent...
    auto *sent = main->findChild<frmSent *>(QStringLiteral("frmSent"));
    QVERIFY(sent && sent->isVisible());
    noEnglishIn(sent);

    frmSignIn password(
        Account{QStringLiteral("mail.example"), 587, QStringLiteral("joe@example.org")}, false);
    password.show();
    noEnglishIn(&password);
}

void TestLanguages::textsFillTheirPlaceholders_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    Delivery failed;
    failed.state = Delivery::State::Failed;
    failed.reason = QStringLiteral("busy");
    Delivery delivered;
    delivered.state = Delivery::State::Delivered;
    delivered.pages = 3;
    const QString fax = QStringLiteral("0123 456 789 %2");
    const struct
    {
        const char *language;
        const char *name;
        QString text;
        const char *expected;
    } rows[] = {
        {"en", "failed", delivery::news(failed, fax), "Not delivered to 0123 456 789 %2: busy"},
        {"en", "delivered", delivery::news(delivered, fax), "Delivered: 0123 456 789 %2, 3 pages."},
        {"en", "size", documents::pagesAndSize(1, 421'888), "1 page, 412 KB"},
        {"en", "large", documents::pagesAndSize(12, 5'400'000), "12 pages, 5.1 MB"},
        {"de", "failed", delivery::news(failed, fax),
         "Nicht zugestellt an 0123 456 789 %2: besetzt"},
        {"de", "delivered", delivery::news(delivered, fax),
         "Zugestellt: 0123 456 789 %2, 3 Seiten."},
        {"de", "size", documents::pagesAndSize(1, 421'888), "1 Seite, 412 kB"},
        {"de", "large", documents::pagesAndSize(12, 5'400'000), "12 Seiten, 5,1 MB"},
        {"fr", "failed", delivery::news(failed, fax), "Non remis au 0123 456 789 %2 : occupé"},
        {"fr", "delivered", delivery::news(delivered, fax), "Remis : 0123 456 789 %2, 3 pages."},
        {"fr", "size", documents::pagesAndSize(1, 421'888), "1 page, 412 Ko"},
        {"fr", "large", documents::pagesAndSize(12, 5'400'000), "12 pages, 5,1 Mo"},
        {"ja", "failed", delivery::news(failed, fax),
         "0123 456 789 %2 に配信されませんでした: 話し中"},
        {"ja", "delivered", delivery::news(delivered, fax),
         "配信済み: 0123 456 789 %2、3 ページ。"},
        {"ja", "size", documents::pagesAndSize(1, 421'888), "1 ページ、412 KB"},
        {"ja", "large", documents::pagesAndSize(12, 5'400'000), "12 ページ、5.1 MB"},
    };
    for (const auto &row : rows) {
        if (m_language == QLatin1String(row.language))
            QTest::newRow(row.name) << row.text << QString::fromUtf8(row.expected);
    }
}

void TestLanguages::textsFillTheirPlaceholders()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(text, expected);
}

// The report is written in the language, in a face that holds its script:
// its text copied out of the PDF reads as written.
void TestLanguages::reportReadsAsWritten()
{
    stored::Message message;
    stored::Summary &s = message.summary;
    s.sent = QDateTime(QDate(2026, 12, 8), QTime(14, 5, 11));
    s.to = QStringLiteral("山田 太郎");
    s.fax = QStringLiteral("03-1234-5678");
    s.subject = QStringLiteral("見積書 2027");
    s.sender = QStringLiteral("joe@example.org");
    const QString pdf = m_dir->filePath(QStringLiteral("report.pdf"));
    QCOMPARE(faxreport::write(pdf, message, {}, std::nullopt), QString());
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    QVERIFY(pdftotext.waitForFinished(20000));
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput()).simplified();
    const QString title = QCoreApplication::translate("FaxReport", "Transmission report");
    QVERIFY2(text.startsWith(title), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("見積書 2027")) &&
                 text.contains(QStringLiteral("山田 太郎")),
             qPrintable(text));
    const QString statement = QCoreApplication::translate(
        "Delivery", "Accepted by the mail server; the gateway has not reported delivery.");
    // Lines break between words, and Japanese has no spaces to break at.
    QVERIFY2(QString(text).remove(u' ').contains(QString(statement).remove(u' ')),
             qPrintable(text));
    if (m_language == u"de")
        QVERIFY2(text.contains(QStringLiteral("8. Dez. 2026, 14:05:11")), qPrintable(text));
    if (m_language == u"en")
        QVERIFY2(text.contains(QStringLiteral("2026-12-08 14:05:11")), qPrintable(text));
}

QTEST_MAIN(TestLanguages)
#include "tst_languages.moc"
