#include "session/fractal_session.h"

#include "model/fract_file.h"
#include "model/number_text.h"

// A bad file keeps what was read before the bad line: the depth, then the
// display mode, then the edges read so far.
void FractalSession::Open(const QString& fileName)
{
    SetMode(modeIdle);
    ReadFractFile(fileName, {[this](int depth) { SetDepth(depth); }, [this](bool lines) { SetLines(lines); },
                             Generator});
    LayoutEditor();
    Recalculate();
}

void FractalSession::Save(const QString& fileName) const
{
    WriteFractFile(fileName, FractFileText(Viewer.Depth, lines_, Generator, SystemDecimalSeparator()));
}
