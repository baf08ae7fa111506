#pragma once

#include <QWidget>

class QPlainTextEdit;
class QPushButton;

// The terms of use, shown at a start before they have been accepted.
class frmAgreement : public QWidget
{
    Q_OBJECT
public:
    explicit frmAgreement(const QString &folder);

    static QString agreementText();

Q_SIGNALS:
    // "I agree": the marker is written; the main window comes next.
    void agreed();
    // "I do not agree", or the window closed: the program ends.
    void declined();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void cmdYes_Click();

    QString m_folder;
    bool m_agreed = false;
    QPushButton *cmdYes;
    QPushButton *cmdNo;
    QPlainTextEdit *txtAgreement;
};
