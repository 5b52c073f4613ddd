#include "session/fractal_session.h"

#include "model/fract_file.h"
#include "model/number_text.h"

// A bad file keeps what was read before the bad line: the depth, then the
// display mode, then the edges read so far; the history stays as it was. A
// good file starts a new history.
void FractalSession::Open(const QString& fileName)
{
    SetMode(modeIdle);
    ReadFractFile(fileName, {[this](int depth) { ChangeDepth(depth); }, [this](bool lines) { ChangeLines(lines); },
                             Generator});
    LayoutEditor();
    Recalculate();
    history_.Clear();
}

void FractalSession::Save(const QString& fileName) const
{
    WriteFractFile(fileName, FractFileText(Viewer.Depth, lines_, Generator, SystemDecimalSeparator()));
}
