#pragma once
// A socket event handler bound to a context object, as a Qt connection is to
// its receiver: once the context is destroyed the handler is never called, so
// no owner has to remember to clear what it set. A plain call, not a signal,
// so a handler's exception reaches the socket and never Qt's signal code.
#include <QObject>
#include <QPointer>

#include <functional>
#include <utility>

namespace zz {

template <typename... Args> class SocketHandler
{
public:
    using Function = std::function<void(Args...)>;

    // A reference, so a handler cannot be set without a context.
    void bind(const QObject &context, Function function)
    {
        m_context = &context;
        m_function = std::move(function);
    }
    void bind(const QObject &&context, Function function) = delete;   // gone before the first event
    void reset()
    {
        m_context.clear();
        m_function = nullptr;
    }

    // False when nothing is bound or the context is gone.
    explicit operator bool() const { return m_function && !m_context.isNull(); }

    // Does nothing without a live context. Runs a copy, because the handler
    // may rebind itself or destroy the socket that holds it.
    void operator()(Args... args) const
    {
        if (!*this)
            return;
        const Function function = m_function;
        function(std::forward<Args>(args)...);
    }

private:
    QPointer<const QObject> m_context;
    Function m_function;
};

} // namespace zz
