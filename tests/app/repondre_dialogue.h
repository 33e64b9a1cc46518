#ifndef REPONDRE_DIALOGUE_H
#define REPONDRE_DIALOGUE_H

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>

// Answers the next modal file dialog as a user would: types the full path
// into its name field and accepts, or cancels when the path is empty. Polls
// until the dialog is up, since it opens inside the slot under test.
inline void repondre_dialogue(const QString &chemin, QString *titre = nullptr)
{
    auto *minuteur = new QTimer(qApp);
    minuteur->setInterval(20);
    QObject::connect(minuteur, &QTimer::timeout, [=] {
        auto *dialogue = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialogue)
            return;
        minuteur->stop();
        minuteur->deleteLater();
        if (titre)
            *titre = dialogue->windowTitle();
        if (chemin.isEmpty()) {
            static_cast<QDialog *>(dialogue)->reject();
            return;
        }
        dialogue->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(chemin);
        static_cast<QDialog *>(dialogue)->accept();
    });
    minuteur->start();
}

#endif
