#!/usr/bin/python3
"""The dashboard page in headless Chromium (Selenium, chromium-driver): its
tiles appear, progress and states follow the stations within a second, a
killed station turns silent, the yield equals `tessorin results summary`.
Screenshots at desktop and phone widths in English and Chinese.

Started by the fake boards' suite, which runs the stations: a line "kill
BOARD" on standard output asks it to kill that board's station, "stop" to end
them all. Exit status 0 when every check held; figures on lines "figure: ...".
"""
import argparse
import os
import re
import sqlite3
import subprocess
import sys
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

DESKTOP = (1366, 768)
PHONE = (390, 844)


def say(text):
    print(text, flush=True)


def fail(text):
    say(f"FAILED: {text}")
    sys.exit(1)


def browser(language):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                     f"--lang={language}", "--hide-scrollbars"):
        options.add_argument(argument)
    options.add_experimental_option("prefs", {"intl.accept_languages": language})
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    driver.set_window_size(*DESKTOP)
    return driver


def wait_for(what, check, seconds):
    """check() until it gives something true, for at most seconds; its value and the time it took."""
    start = time.monotonic()
    while time.monotonic() - start < seconds:
        value = check()
        if value:
            return value, time.monotonic() - start
        time.sleep(0.02)
    fail(f"{what}: not within {seconds} s")


def tiles(driver):
    return driver.execute_script(
        "return Array.from(document.querySelectorAll('.tile')).map(t => "
        "[t.id.slice(6), t.dataset.state, Number(t.dataset.percent)]);")


def tile_of(driver, board):
    for name, state, percent in tiles(driver):
        if name == board:
            return state, percent
    return None


def store_states(store, boards):
    with sqlite3.connect(f"file:{store}?mode=ro", uri=True, timeout=5) as db:
        rows = db.execute("SELECT board, state FROM board_states").fetchall()
    return {board: state for board, state in rows if board in boards}


def screenshot(driver, folder, name, size, ready=None):
    """The whole page at the viewport width given (a phone's is a mobile viewport), once ready() holds."""
    metrics = {"width": size[0], "height": size[1], "deviceScaleFactor": 1, "mobile": size[0] < 600}
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", metrics)
    time.sleep(0.8)
    metrics["height"] = max(size[1], driver.execute_script("return document.documentElement.scrollHeight"))
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", metrics)
    if ready:
        wait_for(f"{name}: the page ready to be taken", ready, 15)
    path = os.path.join(folder, name)
    driver.save_screenshot(path)
    driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})
    say(f"screenshot: {path}")


def results_yield(tessorin, store):
    text = subprocess.run([tessorin, "results", "--store", store, "summary"], capture_output=True, text=True,
                          check=True).stdout
    match = re.search(r"^all\s+\d+\s+\d+\s+\d+\s+(\S+)$", text, re.MULTILINE)
    if not match:
        fail(f"no yield in tessorin results summary:\n{text}")
    return match.group(1)


def main():
    parser = argparse.ArgumentParser()
    for option in ("--url", "--tessorin", "--store", "--artifacts"):
        parser.add_argument(option, required=True)
    parser.add_argument("boards", nargs="+")
    args = parser.parse_args()
    os.makedirs(args.artifacts, exist_ok=True)
    live = set(args.boards)

    driver = browser("en-US")
    try:
        start = time.monotonic()
        driver.get(args.url)
        first_load = time.monotonic() - start
        say(f"figure: first page load {first_load * 1000:.0f} ms")
        wait_for("a tile for every station's board", lambda: live <= {t[0] for t in tiles(driver)}, 30)
        say("tiles: one per board")

        board, _ = wait_for("a board downloading", lambda: next(
            (t for t in tiles(driver) if t[0] in live and t[1] == "downloading" and t[2] < 80), None), 30)
        moved, took = wait_for(f"{board[0]}'s progress moving from {board[2]}%", lambda: (
            (tile_of(driver, board[0]) or ("", board[2]))[1] != board[2]), 3)
        say(f"progress: {board[0]} moved on from {board[2]}% in {took * 1000:.0f} ms")

        # Each state change in the store, timed until the page has left the state before it.
        latencies = []
        seen = store_states(args.store, live)
        deadline = time.monotonic() + 12
        while time.monotonic() < deadline and len(latencies) < 6:
            now = store_states(args.store, live)
            for name, state in now.items():
                before = seen.get(name)
                if before not in (None, state):
                    _, took = wait_for(f"{name} shown as {state}, not {before}",
                                       lambda: (tile_of(driver, name) or (before,))[0] != before, 3)
                    latencies.append(took)
            seen = now
            time.sleep(0.02)
        if not latencies:
            fail("no station changed its state in 12 s")
        latencies.sort()
        say(f"figure: store state change to page, {len(latencies)} changes: median "
            f"{latencies[len(latencies) // 2] * 1000:.0f} ms, longest {latencies[-1] * 1000:.0f} ms")

        downloading = lambda: any(t[1] == "downloading" and 10 < t[2] < 90 for t in tiles(driver))
        screenshot(driver, args.artifacts, "dashboard-en-desktop.png", DESKTOP, downloading)
        screenshot(driver, args.artifacts, "dashboard-en-phone.png", PHONE)

        killed = args.boards[0]
        say(f"kill {killed}")
        killed_at = time.monotonic()
        wait_for(f"{killed} shown silent", lambda: (tile_of(driver, killed) or ("",))[0] == "silent", 15)
        say(f"silent: {killed} {time.monotonic() - killed_at:.1f} s after its station was killed")

        say("stop")
        stable = wait_for("the store's chip count staying put", lambda: chips_settled(args.store), 20)[0]
        expected = results_yield(args.tessorin, args.store)
        shown, _ = wait_for(f"the page's yield {expected} ({stable} chips)", lambda: (
            driver.find_element("id", "total-yield").text == expected and
            driver.find_element("id", "total-chips").text == str(stable)) and expected, 5)
        say(f"yield: the page and tessorin results both say {shown} of {stable} chips")
        screenshot(driver, args.artifacts, "dashboard-en-stopped.png", DESKTOP)
    finally:
        driver.quit()

    driver = browser("zh-CN")
    try:
        driver.get(args.url)
        wait_for("the Chinese page", lambda: driver.execute_script(
            "return document.documentElement.lang === 'zh' && document.querySelector('h1').textContent === '产线' "
            "&& document.querySelectorAll('.tile').length > 0"), 10)
        say("chinese: the page follows the browser's language")
        screenshot(driver, args.artifacts, "dashboard-zh-desktop.png", DESKTOP)
        screenshot(driver, args.artifacts, "dashboard-zh-phone.png", PHONE)
    finally:
        driver.quit()


_last_count = [None, 0.0]


def chips_settled(store):
    """The chip count once it has not changed for two seconds."""
    with sqlite3.connect(f"file:{store}?mode=ro", uri=True, timeout=5) as db:
        count = db.execute("SELECT count(*) FROM chips").fetchone()[0]
    if count != _last_count[0]:
        _last_count[:] = [count, time.monotonic()]
        return None
    return count if time.monotonic() - _last_count[1] >= 2 else None


if __name__ == "__main__":
    main()
