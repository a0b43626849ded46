"""The languages the generator writes: every module in this folder is one,
named after its folder under data/lang (en_us.py writes data/lang/en_us)."""

import importlib
import os
import pkgutil


def load():
    """language code -> its module, in the order of the codes."""
    folder = os.path.dirname(os.path.abspath(__file__))
    codes = sorted(m.name for m in pkgutil.iter_modules([folder]))
    return {code: importlib.import_module(__name__ + "." + code) for code in codes}
