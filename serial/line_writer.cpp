#include "serial/line_writer.h"

namespace ml {

bool LineWriter::write(const QByteArray& bytes, Kind kind) {
    if (kind == Kind::Latest && !waiting_.empty() && waiting_.back().kind == Kind::Latest)
        waiting_.back().bytes = bytes;
    else
        waiting_.push_back({bytes, kind});
    return writeNext();
}

bool LineWriter::drained() {
    return writeNext();
}

bool LineWriter::writeNext() {
    if (waiting_.empty() || device_.bytesQueued() > 0)
        return true;
    const QByteArray next = std::move(waiting_.front().bytes);
    waiting_.pop_front();
    return device_.write(next);
}

} // namespace ml
