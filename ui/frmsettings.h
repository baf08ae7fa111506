#pragma once

#include "fields.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class SettingsStore;

// The settings window. Its three text boxes are backed by "qln.db"; the
// provider choice lives only as long as the window. Closing it is how the
// settings are saved; the window is then discarded.
class frmSettings : public QWidget, public SettingsFields
{
    Q_OBJECT
public:
    explicit frmSettings(SettingsStore &store);

    QString text(SettingsField field) const override;
    void setText(SettingsField field, const QString &text) override;

    // The program is ending: nothing is saved from here on.
    void discardWithoutSaving() { m_saveOnClose = false; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    SettingsStore &m_store;
    bool m_saveOnClose = true;
    QLabel *Label1;
    QLineEdit *txtSMTPServer;
    QLabel *Label2;
    QLineEdit *txtEmail;
    QLabel *Label3;
    QComboBox *cmbProvider;
    QLabel *Label4;
    QLineEdit *txtAcod;
};
