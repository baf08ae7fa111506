#pragma once

#include "store/fields.h"
#include "store/reportsettings.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class SettingsStore;

// The settings window. Its three text boxes are backed by "qln.db"; the
// provider choice lives only as long as the window. Below them, where
// delivery reports are read, backed by "quillon.ini". Closing it is how
// the settings are saved; the window is then discarded.
class frmSettings : public QWidget, public SettingsFields
{
    Q_OBJECT
public:
    frmSettings(SettingsStore &store, const QString &dataFolder);

    QString text(SettingsField field) const override;
    void setText(SettingsField field, const QString &text) override;

    // The program is ending: nothing is saved from here on.
    void discardWithoutSaving() { m_saveOnClose = false; }

    void setVisible(bool visible) override;

Q_SIGNALS:
    // Closing the window saved the settings.
    void saved();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // The controls are made when the window is first shown; until then the
    // fields are plain texts. Most runs never show the window.
    void buildControls();

    // The IMAP server a known SMTP server's provider reads mail on.
    static QString proposedImapServer(const QString &smtpServer);

    SettingsStore &m_store;
    QString m_dataFolder;
    bool m_saveOnClose = true;
    QString m_texts[4];
    QLabel *Label1 = nullptr;
    QLineEdit *txtSMTPServer = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *txtEmail = nullptr;
    QLabel *Label3 = nullptr;
    QComboBox *cmbProvider = nullptr;
    QLabel *Label4 = nullptr;
    QLineEdit *txtAcod = nullptr;
    QLabel *Label5 = nullptr;
    QLineEdit *txtImapServer = nullptr;
    QCheckBox *chkReports = nullptr;
};
