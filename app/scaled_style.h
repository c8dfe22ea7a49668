#pragma once

// The application at a size: its style with its sizes (check marks, frames, arrows) grown by a
// factor, so that a larger window draws its controls larger instead of stretching a picture of
// them, and its font, which every window without a font of its own takes (the message boxes, the
// dialogs, the file dialog).

namespace ml::app {

// Every window at `percent` of its design size.
void scaleApplication(int percent);

} // namespace ml::app
