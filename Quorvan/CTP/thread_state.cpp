#include "MyTools.h"

namespace {

class KeptThreadState {
public:
    KeptThreadState() {
        if (PyGILState_GetThisThreadState() == nullptr) {
            PyGILState_Ensure();
            kept_ = PyEval_SaveThread();
        }
    }

    ~KeptThreadState() {
        // During finalization the interpreter may no longer be entered; the state is left.
        if (kept_ == nullptr || _Py_IsFinalizing()) {
            return;
        }
        PyEval_RestoreThread(kept_);
        PyGILState_Release(PyGILState_UNLOCKED);
    }

    KeptThreadState(const KeptThreadState &) = delete;
    KeptThreadState &operator=(const KeptThreadState &) = delete;

private:
    PyThreadState *kept_ = nullptr;
};

}  // namespace

void keep_thread_state() {
    thread_local KeptThreadState kept;
    (void)kept;
}
