#include "app/endless_status.h"

#include "session/fractal_session.h"

#include <QLocale>

#include <cmath>

namespace {

const QString kNotUnit = QStringLiteral("Endloser Zoom nur mit letzter Kante (1; 0)");
const QString kNotShorter = QStringLiteral("Endloser Zoom nur mit Kanten kürzer als die Strecke vom Anfang zum Ende");
const QString kHowToUnit = QStringLiteral("„Neu“ zieht einen passenden Generator");
const QString kHowToShorter = QStringLiteral("Kanten kürzen oder „Neu“ wählen");
const QString kMagnification = QStringLiteral("Vergrößerung ×%1");
const QString kDeepest = QStringLiteral(" – tiefer zeichnet der endlose Zoom nicht");
// A window widened to the deepest magnification shows it up to rounding.
constexpr double kDeepestShare = 0.999;

// Below this power of ten the magnification is written out in full.
constexpr long kWrittenOut = 6;
constexpr int kMagnificationDigits = 3;

QString Superscript(long number)
{
    static const QString kDigits = QStringLiteral("⁰¹²³⁴⁵⁶⁷⁸⁹");
    QString text;
    for (const QChar c : QString::number(number))
        text += c == QLatin1Char('-') ? QStringLiteral("⁻") : QString(kDigits[c.digitValue()]);
    return text;
}

// Three significant digits: "27,4", "2.740", "3,49 · 10¹⁵".
QString MagnificationText(const DecimalMagnitude& m)
{
    const QLocale german(QLocale::German);
    if (m.Exponent >= kWrittenOut || m.Exponent < 0)
        return german.toString(m.Mantissa, 'f', kMagnificationDigits - 1) + QStringLiteral(" · 10")
               + Superscript(m.Exponent);
    const int decimals = std::max(0, kMagnificationDigits - 1 - static_cast<int>(m.Exponent));
    return german.toString(m.Mantissa * std::pow(10.0, m.Exponent), 'f', decimals);
}

} // namespace

QString EndlessStatusText(const FractalSession& session)
{
    if (!session.EndlessZoom())
        return {};
    switch (session.Endless().Curve().Check()) {
    case LimitCurve::Verdict::LastEdgeNotUnit:
        return kNotUnit;
    case LimitCurve::Verdict::EdgesNotShorter:
        return kNotShorter;
    case LimitCurve::Verdict::Exists:
        break;
    }
    const BigFloat magnification = session.EndlessMagnification();
    const bool deepest = !(magnification < DeepestMagnification() * BigFloat(kDeepestShare, kScaleBits));
    return kMagnification.arg(MagnificationText(DecimalOf(magnification))) + (deepest ? kDeepest : QString());
}

QString EndlessStatusLine(const FractalSession& session)
{
    const QString text = EndlessStatusText(session);
    if (!session.EndlessZoom())
        return text;
    switch (session.Endless().Curve().Check()) {
    case LimitCurve::Verdict::LastEdgeNotUnit:
        return text + QStringLiteral(" – ") + kHowToUnit;
    case LimitCurve::Verdict::EdgesNotShorter:
        return text + QStringLiteral(" – ") + kHowToShorter;
    case LimitCurve::Verdict::Exists:
        break;
    }
    return text;
}
