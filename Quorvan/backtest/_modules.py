"""Strategy files run as modules of their own, for the command line and for a sweep's workers."""
import sys
import types


def module_from_file(name, path, source=None):
    """Runs the Python file at `path` (or `source`, its text) as the module `name`. The module
    is registered before it runs, as an import registers it, so that its classes pickle by
    that name; a file that fails leaves nothing registered."""
    if source is None:
        with open(path, encoding="utf-8") as file:
            source = file.read()
    module = types.ModuleType(name)
    module.__file__ = path
    sys.modules[name] = module
    try:
        exec(compile(source, path, "exec"), module.__dict__)
    except BaseException:
        del sys.modules[name]
        raise
    return module
