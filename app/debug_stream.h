#ifndef DEBUG_STREAM_H
#define DEBUG_STREAM_H

#include "tampon_lignes.h"

class QTextEdit;

// Turns every completed line written to a stream into one paragraph of a
// text pane.
class debug_stream : public tampon_lignes
{
public:
    debug_stream(std::ostream &stream, QTextEdit *text_edit);
    ~debug_stream() override;

protected:
    void ligne(const std::string &texte, bool finie) override;

private:
    QTextEdit *log_window;
};

#endif
