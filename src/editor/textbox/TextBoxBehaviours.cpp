#include "editor/textbox/TextBoxBehaviours.h"

#include "editor/textbox/FontDecoration.h"
#include "editor/textbox/FrameKeyRouter.h"
#include "editor/textbox/MiddleClickPaste.h"
#include "editor/textbox/StandInMarkerPainter.h"
#include "editor/textbox/TextBoxAccessible.h"
#include "editor/textbox/TextBoxView.h"
#include "editor/textbox/TextDragAndDrop.h"

namespace korvane {

namespace {

void dressFont(TextBoxView &view)
{
    if (const TextDocument *document = view.textDocument()) {
        FontDecoration decoration;
        decoration.apply(document->font(), view.font());
        view.setTextFont(decoration.font(), decoration.textColor());
    }
}

} // namespace

void TextBoxBehaviours::attach(TextBoxView &view, const FrameKeys *frameKeys, ClipboardService &clipboard)
{
    TextBoxAccessible::installFactory();
    dressFont(view);
    if (TextDocument *document = view.textDocument())
        QObject::connect(document, &TextDocument::fontChanged, &view, [&view] { dressFont(view); });
    view.setPiecePainter(std::make_unique<StandInMarkerPainter>());
    view.setClipboard(&clipboard);
    // In the order the filters have always been installed: the last installed sees an
    // event first.
    new TextDragAndDrop(&view);
    new FrameKeyRouter(&view, frameKeys);
    new MiddleClickPaste(&view, clipboard);
}

} // namespace korvane
