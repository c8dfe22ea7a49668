#pragma once

// The application's style with its sizes (check marks, frames, arrows) grown by a factor, so that
// a larger window draws its controls larger instead of stretching a picture of them.

class QStyle;

namespace ml::app {

// The style for a window at `percent` of its design size; null at 100 (the application's own).
// One per size for the whole run; the application deletes them at its end.
QStyle* scaledStyle(int percent);

} // namespace ml::app
