#include "debug_stream.h"

#include <QString>
#include <QTextEdit>

debug_stream::debug_stream(std::ostream &stream, QTextEdit *text_edit)
    : tampon_lignes(stream), log_window(text_edit)
{
}

debug_stream::~debug_stream()
{
    terminer();
}

void debug_stream::ligne(const std::string &texte, bool)
{
    // Local 8-bit decoding keeps accented paths as typed; the text ends at
    // the first NUL byte.
    log_window->append(QString::fromLocal8Bit(texte.c_str()));
}
