#ifndef REPONDRE_DIALOGUE_H
#define REPONDRE_DIALOGUE_H

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QTimer>

#include <functional>

// Runs `reponse` on the next modal dialog of type D once it is up, as a user
// would answer it. Polls, since the dialog opens inside the slot under test.
template <typename D>
void repondre_modal(const std::function<void(D *)> &reponse)
{
    auto *minuteur = new QTimer(qApp);
    minuteur->setInterval(20);
    QObject::connect(minuteur, &QTimer::timeout, [=] {
        auto *dialogue = qobject_cast<D *>(QApplication::activeModalWidget());
        if (!dialogue)
            return;
        minuteur->stop();
        minuteur->deleteLater();
        reponse(dialogue);
    });
    minuteur->start();
}

// Answers the next modal file dialog: types the full path into its name
// field and accepts, or cancels when the path is empty.
inline void repondre_dialogue(const QString &chemin, QString *titre = nullptr)
{
    repondre_modal<QFileDialog>([=](QFileDialog *dialogue) {
        if (titre)
            *titre = dialogue->windowTitle();
        if (chemin.isEmpty()) {
            static_cast<QDialog *>(dialogue)->reject();
            return;
        }
        dialogue->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(chemin);
        static_cast<QDialog *>(dialogue)->accept();
    });
}

#endif
