"""The documentation site as a reader's browser shows it: built by `make docs` into site/,
served on the loopback address, opened in headless Chromium."""
import os
from pathlib import Path

import pytest

from headless_chromium import Browser, render, serve

SITE = Path(__file__).resolve().parents[2] / "site"
PAGES = {
    "/": "Getting started",
    "/reference/Quorvan.CTP.TraderApiBase/": "buy_open",
    "/reference/requests/": "ReqOrderInsert",
}


@pytest.fixture(scope="module")
def site():
    if not (SITE / "index.html").exists():
        # CI builds the site before the suite; a developer's run without it has nothing to test.
        if os.environ.get("CI"):
            pytest.fail("site/ is not built: .ci/run runs make docs before make test")
        pytest.skip("site/ is not built: run make docs")
    return SITE


def test_pages_render_and_search_finds_buy_open(site):
    with Browser() as browser, serve(site) as base:
        for path, text in PAGES.items():
            page = browser.open(base + path)
            assert page.errors == [], path
            assert text in page.evaluate("document.querySelector('article').innerText"), path
        home = browser.open(base + "/")
        home.type("input.md-search__input", "buy_open")
        home.wait_for("[...document.querySelectorAll('.md-search-result__item')]"
                      ".some(item => item.innerText.includes('buy_open'))")
        assert home.errors == []


def test_render_reports_a_script_error(tmp_path):
    # Guards the test above against passing because errors go unseen.
    page = tmp_path / "broken.html"
    page.write_text("<p id=p>x</p><script>document.getElementById('p').textContent = 'ran';"
                    "undefinedFunction();</script>")
    rendered = render(page)
    assert ">ran<" in rendered.dom
    assert any("undefinedFunction" in error for error in rendered.errors)
