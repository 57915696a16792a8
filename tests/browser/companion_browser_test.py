#!/usr/bin/python3
"""The phone companion driven from a phone-sized headless Chromium, as a grower uses it.

On a copy of the sample collection, `talvane-cli serve` is started and the browser
pairs, lists the trees, opens one from a photo of its label and one from its typed code,
searches them, opens one (its timeline by season, a photo full size and back, its latest
measurements), logs care done on an earlier day with a measurement, a repeat and
two photos, which make one event (lost on the way while the server cannot be reached, sent
again, refused, corrected, then said saved), and marks a task done on the Due page, answered
as a window that keeps it unsaved would answer. The calendar
is fetched the way a calendar application would, without the cookie; a write sent twice
must not change the collection twice; and once the server is stopped, the file itself
must hold exactly the changes made from the phone. Then a collection whose trees are
named like markup is served: the pages must show those names as they are, and tell
how a text logged was changed so that the file could hold it. Last, a garden whose
forecast (a recorded answer, served here) brings frost: the first page must say so
above the trees, and care logged for a place from the Places page must reach every
tree standing there, and no other.

    companion_browser_test.py --cli build/bin/talvane-cli --data data [--screenshots DIR]

Needs Debian's chromium, chromium-driver, python3-selenium and qrencode; their absence is a
failure, not a skip, so that a machine without them cannot pass unnoticed.
"""

import argparse
import csv
import datetime
import hashlib
import http.server
import json
import os
import queue
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
import urllib.error
import urllib.parse
import urllib.request
import uuid

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"

try:
    from selenium import webdriver
    from selenium.common.exceptions import (NoAlertPresentException, NoSuchElementException,
                                            StaleElementReferenceException, TimeoutException)
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.by import By
    from selenium.webdriver.common.keys import Keys
    from selenium.webdriver.support import expected_conditions as EC
    from selenium.webdriver.support.ui import Select, WebDriverWait
except ImportError as error:
    sys.exit(f"FAILED: selenium cannot be imported ({error}); install Debian's python3-selenium "
             "and run this test with /usr/bin/python3.")

# A phone of today's usual size, held upright.
PHONE = {"width": 390, "height": 844, "pixelRatio": 3}
PHONE_AGENT = ("Mozilla/5.0 (Linux; Android 14; Pixel 8) AppleWebKit/537.36 (KHTML, like Gecko) "
               "Chrome/120.0.0.0 Mobile Safari/537.36")
WAIT = 10  # seconds for any one thing to appear

# What is logged from the phone: a text outside ASCII, as a phone keyboard types it,
# must reach the file and come back unchanged.
LOGGED_KIND = "Pruning"
LOGGED_TEXT = "Pinched the new shoots back to two leaves \u2014 the apex stays \u00e0 l\u2019ombre."
LOGGED_TITLE = f"Momiji: {LOGGED_KIND}, {LOGGED_TEXT}"  # as the Due page and the calendar name it
DUE_IN_DAYS = 3
DONE_DAYS_AGO = 2  # the care logged was done before today
REPEAT = ("2w", "Every 2 weeks", "every 2 weeks")  # as stored, offered and said
HEIGHT = ("41.5", "cm")
TRUNK = ("4.2", "cm")  # the form offers mm first for a trunk: cm must be chosen
NOT_AN_AMOUNT = "abc"
SENT_TWICE = "Fed once, though the program sent it twice."
NOT_PAIRED = "This phone is not paired with Talvane."
LOST = "The desktop did not answer."
SEND_AGAIN = "Send again"
SAVED = "Saved"
KEPT = "Kept in Talvane on the computer \u2014 not yet saved"
# Trees named like markup, and texts that would act if they were read as such.
MARKUP_NAMES = ["<img src=x onerror=alert(1)>", "</script><b>x</b>"]
MARKUP_BOTANICAL = "<svg onload=alert(2)><i>Acer</i>"
MARKUP_TEXT = "Watered <b>well</b> & <script>alert(3)</script>"
# A letter a collection cannot hold: the file keeps it plain, and the phone is told.
RECODED = ("Shaded from the \u0151 wind", "Shaded from the o wind")
# The garden: a bench where the frost reaches Momiji but not the hardy juniper, and a
# shelf indoors named like markup.
BENCH = "Bench 1"
SHELF = "Shelf <i>2</i>"
WATERED = "Rain water from the butt"
# The recorded forecast whose first day is made today.
FROST_ANSWER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "forecast", "frost-night.json")
FROST_DAY = datetime.date(2026, 12, 10)
# What such texts would make of the page if they were read as markup.
INJECTED = "b, i, svg, img:not([src^='/']), script:not([src])"
LABEL_ALPHABET = "0123456789ABCDEFGHJKMNPQRSTVWXYZ"


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def step(text):
    print(f"-- {text}", flush=True)


# A plain HTTP client that never goes through a proxy: the server is on this machine.
HTTP = urllib.request.build_opener(urllib.request.ProxyHandler({}))


def fetch(url, data=None, headers=None):
    """(status, body text) of one request; an error status is an answer, not an exception."""
    request = urllib.request.Request(url, data=data, headers=headers or {})
    try:
        with HTTP.open(request, timeout=WAIT) as response:
            return response.status, response.read().decode("utf-8", "replace")
    except urllib.error.HTTPError as error:
        return error.code, error.read().decode("utf-8", "replace")


def multipart(fields, files):
    """A multipart/form-data body as a browser sends it: fields, then files (name, path)."""
    boundary = "----talvane" + uuid.uuid4().hex
    body = bytearray()
    for name, value in fields:
        body += (f"--{boundary}\r\nContent-Disposition: form-data; name=\"{name}\"\r\n\r\n"
                 f"{value}\r\n").encode("utf-8")
    for name, path in files:
        with open(path, "rb") as photo:
            data = photo.read()
        body += (f"--{boundary}\r\nContent-Disposition: form-data; name=\"{name}\"; "
                 f"filename=\"{os.path.basename(path)}\"\r\nContent-Type: image/jpeg\r\n\r\n").encode("utf-8")
        body += data + b"\r\n"
    body += f"--{boundary}--\r\n".encode("utf-8")
    return bytes(body), f"multipart/form-data; boundary={boundary}"


def fetch_json(url, data=None, headers=None):
    status, text = fetch(url, data, headers)
    try:
        return status, json.loads(text)
    except ValueError:
        raise Failure(f"{url} answered {status} with what is not JSON: {text[:200]!r}") from None


def label_code(tree_id):
    """The code a tree's label prints under its QR code: 40 bits of its identifier."""
    bits = int(tree_id.replace("-", "")[:10], 16)
    code = "".join(LABEL_ALPHABET[(bits >> (5 * (7 - i))) & 31] for i in range(8))
    return code[:4] + "-" + code[4:]


def run_cli(cli, *args):
    done = subprocess.run([cli, *args], capture_output=True, text=True, timeout=60)
    check(done.returncode == 0, f"talvane-cli {' '.join(args)} failed ({done.returncode}): {done.stderr}")
    return done.stdout


def journals(cli, collection, count):
    """Every entry's journal as {line: event}, read from the file by the command line."""
    out = []
    for entry in range(count):
        events = json.loads(run_cli(cli, "journal", collection, "--entry", str(entry)))["events"]
        out.append({event["line"]: event for event in events})
    return out


def digest_of(path):
    with open(path, "rb") as stored:
        return hashlib.sha256(stored.read()).hexdigest()


def file_state(collection, photos):
    """What a change would touch: the collection's bytes and the photo folder's names."""
    return digest_of(collection), sorted(os.listdir(photos))


def phone_photo(source, target, today):
    """A copy of a sample photo that the camera says was taken today, as a phone's would be."""
    with open(source, "rb") as original:
        data = original.read()
    taken = re.search(rb"\d{4}:\d\d:\d\d \d\d:\d\d:\d\d", data[:4096])
    check(taken is not None, f"{source} has no camera date to set")
    stamp = today.strftime("%Y:%m:%d 12:00:00").encode("ascii")
    with open(target, "wb") as copy:
        copy.write(data[:taken.start()] + stamp + data[taken.end():])


def ical_events(text):
    """SUMMARY and DTSTART of each event of an iCalendar text, lines unfolded and unescaped."""
    unfolded = re.sub(r"\r?\n[ \t]", "", text)
    events = []
    for block in re.findall(r"BEGIN:VEVENT\r?\n(.*?)END:VEVENT", unfolded, re.S):
        props = {}
        for line in block.splitlines():
            name, _, value = line.partition(":")
            props[name.split(";")[0]] = value
        summary = re.sub(r"\\(.)", lambda m: "\n" if m.group(1) in "nN" else m.group(1), props.get("SUMMARY", ""))
        events.append((summary, props.get("DTSTART", "")))
    return events


class Server:
    """`talvane-cli serve` on a collection, its output read line by line as it comes."""

    def __init__(self, cli, collection, folder):
        self.lines = []
        self._pairing = None
        self._queue = queue.Queue()
        # The phones it pairs are kept beside the test's settings, not the user's.
        settings = os.path.join(os.path.dirname(os.path.abspath(folder)), "xdg")
        environment = dict(os.environ, XDG_CONFIG_HOME=os.path.join(settings, "config"),
                           XDG_CACHE_HOME=os.path.join(settings, "cache"),
                           XDG_RUNTIME_DIR=os.path.join(settings, "runtime"))
        self.process = subprocess.Popen([cli, "serve", collection, "--bind", "127.0.0.1"], cwd=folder, env=environment,
                                        stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
        self._reader = threading.Thread(target=self._read, daemon=True)
        self._reader.start()

    def _read(self):
        for line in self.process.stdout:
            self.lines.append(line.rstrip("\n"))
            self._queue.put(line)
        self._queue.put(None)

    def wait_for_line(self, pattern):
        deadline = time.monotonic() + WAIT
        while time.monotonic() < deadline:
            try:
                line = self._queue.get(timeout=max(0.01, deadline - time.monotonic()))
            except queue.Empty:
                break
            if line is None:
                break
            found = re.search(pattern, line)
            if found:
                return found
        raise Failure(f"the server never printed {pattern!r}; it printed:\n" + "\n".join(self.lines))

    def pairing(self):
        """The pairing address it prints once ready, and the address it serves at."""
        if self._pairing is None:
            found = self.wait_for_line(r"(http://127\.0\.0\.1:\d+)/pair/[0-9a-f]{32}\b")
            self.wait_for_line(r"Press Ctrl\+C to stop")
            self._pairing = found.group(0), found.group(1)
        return self._pairing

    def stop(self):
        """Stops it as the service manager would; gives its exit status."""
        self.process.send_signal(signal.SIGTERM)
        status = self.process.wait(timeout=WAIT)
        self._reader.join(timeout=WAIT)
        return status

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()


def require_browser():
    for program, package in ((CHROMIUM, "chromium"), (CHROMEDRIVER, "chromium-driver")):
        check(os.access(program, os.X_OK), f"{program} is missing: install Debian's {package} "
              "(scripts/common.sh lists it) to run the browser test")


def start_browser(profile):
    require_browser()
    options = webdriver.ChromeOptions()
    options.binary_location = CHROMIUM
    for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update", "--disable-sync",
                 "--disable-dev-shm-usage", "--no-proxy-server", "--hide-scrollbars", f"--user-data-dir={profile}"):
        options.add_argument(flag)
    options.add_experimental_option("mobileEmulation", {"deviceMetrics": PHONE, "userAgent": PHONE_AGENT})
    return webdriver.Chrome(service=Service(executable_path=CHROMEDRIVER), options=options)


class Phone:
    """The browser and the checks every page must pass on a phone."""

    def __init__(self, driver, screenshots):
        self.driver = driver
        self.screenshots = screenshots

    def wait(self, condition, message):
        try:
            # A page being replaced by the next may lose an element under the condition.
            return WebDriverWait(self.driver, WAIT, ignored_exceptions=(
                NoSuchElementException, StaleElementReferenceException)).until(condition)
        except TimeoutException:
            raise Failure(f"{message} (at {self.driver.current_url}, titled {self.driver.title!r})") from None

    def heading(self):
        return self.driver.find_element(By.TAG_NAME, "h1").text

    def wait_for_page(self, path_pattern, heading):
        self.wait(lambda d: re.fullmatch(path_pattern, urllib.parse.urlsplit(d.current_url).path)
                  and d.find_elements(By.TAG_NAME, "h1") and self.heading() == heading,
                  f"the page {heading!r} at {path_pattern} did not open")
        self.check_fits()

    def check_fits(self):
        # Nothing wider than the phone: a page that scrolls sideways cuts its text.
        width, inner = self.driver.execute_script(
            "return [document.documentElement.scrollWidth, window.innerWidth]")
        check(width <= inner, f"{self.driver.current_url} is {width} px wide on a {inner} px phone")
        # Every page is dressed by the program's stylesheet, which the page's policy allows.
        styled = self.driver.execute_script(
            "return getComputedStyle(document.querySelector('nav') || document.body).backgroundColor")
        check(styled != "rgba(0, 0, 0, 0)", f"{self.driver.current_url} has no style: the stylesheet did not load")

    def wait_for_images(self, images, what):
        check(images, f"no {what} is shown")
        for image in images:
            # Timeline photos load lazily, as the phone scrolls to them.
            self.driver.execute_script("arguments[0].scrollIntoView({block: 'center'})", image)
            self.wait(lambda d: d.execute_script("return arguments[0].complete", image),
                      f"the {what} {image.get_attribute('src')} never finished loading")
            width = self.driver.execute_script("return arguments[0].naturalWidth", image)
            check(width > 0, f"the {what} {image.get_attribute('src')} did not load")
        self.driver.execute_script("window.scrollTo(0, 0)")

    def screenshot(self, name, at=None):
        """The page from its top, or from the element `at` just under the navigation."""
        if self.screenshots:
            self.driver.execute_script("window.scrollTo(0, arguments[0] ? arguments[0].getBoundingClientRect().top"
                                       " + scrollY - document.querySelector('nav').offsetHeight : 0)", at)
            path = os.path.join(self.screenshots, f"phone-{name}.png")
            check(self.driver.save_screenshot(path), f"could not save {path}")

    def tree_names(self):
        return [item.text for item in self.driver.find_elements(By.CSS_SELECTOR, "ul.trees strong")]

    def section_images(self, heading):
        """The pictures under the page's section of that heading."""
        return self.driver.execute_script(
            "const h = [...document.querySelectorAll('main h2')].find(h => h.textContent === arguments[0]);"
            "return h ? [...h.nextElementSibling.querySelectorAll('img')] : [];", heading)

    def measurements(self):
        """The latest measurements as the tree's page lists them: {label: (value, date)}."""
        rows = self.driver.execute_script("return [...document.querySelectorAll('table.measured tr')]"
                                          ".map(row => [...row.cells].map(cell => cell.textContent))")
        return {label: (value, date) for label, value, date in rows}

    def open_full_size(self, thumbnail, press):
        """Opens a timeline photo full size by `press` on its thumbnail; the view once its photo is shown."""
        self.driver.execute_script("arguments[0].scrollIntoView({block: 'center'})", thumbnail)
        press(thumbnail)
        viewer = self.wait(lambda d: d.find_element(By.CSS_SELECTOR, "dialog.viewer[open]"), "the photo did not open")
        image = viewer.find_element(By.TAG_NAME, "img")
        self.wait(lambda d: d.execute_script("return arguments[0].complete && arguments[0].naturalWidth > 0", image),
                  f"the photo {image.get_attribute('src')} shown full size did not load")
        check(re.fullmatch(r"photo-\d+", urllib.parse.urlsplit(self.driver.current_url).fragment),
              f"the photo full size has no address of its own: {self.driver.current_url}")
        # As wide as the phone, from a picture of the screen's own pixels, not the thumbnail.
        width, inner = self.driver.execute_script("return [arguments[0].getBoundingClientRect().width, innerWidth]", image)
        side = int(urllib.parse.parse_qs(urllib.parse.urlsplit(image.get_attribute("src")).query)["size"][0])
        check(width == inner and side >= inner * PHONE["pixelRatio"],
              f"the photo is shown {width} px wide on a {inner} px phone, asked at {side} px")
        return viewer

    def check_back_from_photo(self, thumbnail, tree_path):
        """The photo full size is closed, the tree's page is back at its address and on the photo's thumbnail."""
        self.wait(lambda d: not d.find_elements(By.CSS_SELECTOR, "dialog.viewer"), "the photo full size stayed open")
        address = urllib.parse.urlsplit(self.driver.current_url)
        check(address.path == tree_path and not address.fragment and self.heading() == "Momiji",
              f"going back from the photo led to {self.driver.current_url}, not the tree's page")
        check(self.driver.switch_to.active_element == thumbnail, "going back from the photo lost the thumbnail's place")
        self.driver.execute_script("window.scrollTo(0, 0)")

    def wait_for_alert(self, text):
        """The text of the page's message of what went wrong, once it says `text`."""
        return self.wait(lambda d: next((m.text for m in d.find_elements(By.CSS_SELECTOR, ".message[role=alert]")
                                         if text in m.text), None),
                         f"the page did not say {text!r}")

    def check_text_only(self, where):
        """Nothing the collection holds became markup, and no dialog of a script opened."""
        injected = self.driver.execute_script(
            "return [...document.querySelectorAll(arguments[0])].map(e => e.outerHTML)", INJECTED)
        check(not injected, f"{where} made elements of the collection's texts: {injected}")
        try:
            opened = self.driver.switch_to.alert.text
        except NoAlertPresentException:
            opened = None
        check(opened is None, f"{where} ran a script of the collection's texts: it said {opened!r}")


def season_of(day):
    """A day's season as the tree's page heads it: northern, a winter named by the two years it spans."""
    day = datetime.date.fromisoformat(day)
    if day.month in (12, 1, 2):
        first = day.year if day.month == 12 else day.year - 1
        return f"Winter {first}\u2013{(first + 1) % 100:02d}"
    return f"{('Spring', 'Summer', 'Autumn')[(day.month - 3) // 3]} {day.year}"


def check_timeline_by_season(phone, cli, collection, entry):
    """The page's timeline is the one the file holds (as talvane-cli reads it, oldest first), shown
    newest first under one heading a season; its seasons as they are expected."""
    expected = []
    for photo in reversed(json.loads(run_cli(cli, "timeline", collection, "--entry", str(entry)))["photos"]):
        season = season_of(photo["date"])
        if not expected or expected[-1][0] != season:
            expected.append((season, []))
        expected[-1][1].append(photo["date"])
    check(len(expected) >= 3 and any(season.startswith("Winter") for season, _ in expected),
          f"the tree's timeline spans {[season for season, _ in expected]}: a winter and two more seasons are needed")
    shown = phone.driver.execute_script(
        "return [...document.querySelectorAll('.timeline h3')].map(h => [h.textContent,"
        " [...h.nextElementSibling.querySelectorAll('a.thumb')].map(a => a.querySelector('time').textContent)])")
    check([(season, dates) for season, dates in shown] == expected,
          f"the timeline shows the seasons {shown}, not {expected}")
    for image in phone.driver.find_elements(By.CSS_SELECTOR, "a.thumb img"):
        check(image.get_attribute("loading") == "lazy" and image.get_attribute("alt") and "size=" in image.get_attribute("src"),
              f"the thumbnail {image.get_attribute('src')} is not a small picture loaded lazily with a text")
    return expected


def check_script_policy(phone, url, session):
    """The page runs the program's own script file and nothing else: no script nor handler
    in its markup, a policy that would refuse them, and a browser that does."""
    with HTTP.open(urllib.request.Request(url, headers=session), timeout=WAIT) as response:
        policy = response.headers.get("Content-Security-Policy", "")
        page = response.read().decode("utf-8")
    directives = {words[0]: words[1:] for words in (part.split() for part in policy.split(";")) if words}
    scripts = directives.get("script-src", directives.get("default-src"))
    check(scripts and not {"'unsafe-inline'", "'unsafe-eval'", "*", "data:"} & set(scripts),
          f"{url} allows scripts from anywhere or inline: {policy!r}")
    for attributes, body in re.findall(r"<script\b([^>]*)>(.*?)</script>", page, re.S | re.I):
        check("src=" in attributes and not body.strip(), f"{url} holds a script of its own: {body[:80]!r}")
    check(not re.search(r"<[^>]+\s(on[a-z]+|style)\s*=", page, re.I) and "<style" not in page.lower(),
          f"{url} holds a handler or a style in its markup")
    phone.driver.execute_script("const s = document.createElement('script');"
                                "s.textContent = 'document.documentElement.dataset.ran = 1';"
                                "document.head.appendChild(s)")
    check(phone.driver.execute_script("return document.documentElement.dataset.ran || null") is None,
          f"{url} ran a script written into the page, which its policy should forbid")


def markup_collection(cli, folder, today):
    """A collection whose names, botanical name and journal read like markup."""
    os.makedirs(folder)
    table = os.path.join(folder, "markup.csv")
    due = (today + datetime.timedelta(days=2)).isoformat()
    journal = f"TVJ1\r\n{today.isoformat()}\tNote\t{due}\t\t{MARKUP_TEXT}"
    with open(table, "w", encoding="utf-8", newline="") as out:
        csv.writer(out).writerows([["Name", "BotanicalName", "Spare114"],
                                   [MARKUP_NAMES[0], MARKUP_BOTANICAL, journal], [MARKUP_NAMES[1], "", ""]])
    collection = os.path.join(folder, "markup.tvn")
    run_cli(cli, "import", table, collection)
    return collection


def pair(server, phone):
    """Pairs the browser with a server just started; its address and the session's cookie."""
    pairing, base = server.pairing()
    phone.driver.get(pairing)
    phone.wait_for_page("/trees", "Trees")
    cookies = {cookie["name"]: cookie for cookie in phone.driver.get_cookies()}
    check("talvane_session" in cookies, f"pairing set no session cookie: {sorted(cookies)}")
    check(cookies["talvane_session"].get("httpOnly"), "the session cookie can be read by scripts")
    return base, {"Cookie": "talvane_session=" + cookies["talvane_session"]["value"]}


def check_markup_shown_as_text(cli, work, phone, today):
    step("a collection whose trees are named like markup")
    server = Server(cli, markup_collection(cli, os.path.join(work, "markup"), today), os.path.join(work, "markup"))
    try:
        phone.driver.delete_all_cookies()
        base, _ = pair(server, phone)
        driver = phone.driver
        check(sorted(phone.tree_names()) == sorted(MARKUP_NAMES),
              f"the Trees page shows the names as {phone.tree_names()}, not as they are")
        phone.check_text_only("the Trees page")
        links = [link.get_attribute("href") for link in driver.find_elements(By.CSS_SELECTOR, "ul.trees a")]
        for link in links:
            driver.get(link)
            phone.wait(lambda d: d.find_elements(By.CSS_SELECTOR, "main h2"), f"the tree's page {link} did not open")
            name = phone.heading()
            check(name in MARKUP_NAMES, f"the tree's page is titled {name!r}, not with the tree's name as it is")
            check(driver.title.startswith(name), f"the window of {name!r} is titled {driver.title!r}")
            phone.check_text_only(f"the page of {name!r}")
            if name == MARKUP_NAMES[0]:
                main = driver.find_element(By.TAG_NAME, "main").text
                check(MARKUP_BOTANICAL in main and MARKUP_TEXT in main,
                      f"the page of {name!r} does not show its botanical name and journal as they are")

        step("logging a text that the file cannot hold")
        driver.get(links[0] + "/log")
        phone.wait_for_page(r"/tree/[a-z0-9-]+/log", "Log care")
        driver.find_element(By.NAME, "text").send_keys(RECODED[0])
        driver.find_element(By.CSS_SELECTOR, "form.log button[type=submit]").click()
        said = phone.wait(lambda d: [m.text for m in d.find_elements(By.CSS_SELECTOR, ".message[role=status]")],
                          "the tree's page does not tell how the text was changed")
        check(SAVED in said and any("\u0151" in text for text in said) and
              RECODED[0] not in driver.find_element(By.TAG_NAME, "main").text and
              RECODED[1] in driver.find_element(By.CSS_SELECTOR, "ol.journal").text,
              f"the text logged is not shown as the file holds it, saved, with the reason: {said!r}")
        phone.check_text_only("the page after logging")

        driver.get(base + "/due")
        phone.wait_for_page("/due", "Due")
        titles = [item.text for item in driver.find_elements(By.CSS_SELECTOR, "li.task a")]
        check(any(title.startswith(MARKUP_NAMES[0]) and MARKUP_TEXT in title for title in titles),
              f"the Due page does not name the task as it is: {titles}")
        phone.check_text_only("the Due page")
    finally:
        server.kill()


class ForecastServer:
    """Open-Meteo as this machine plays it: the recorded frost, moved so that it starts today."""

    def __init__(self, today):
        with open(FROST_ANSWER, encoding="utf-8") as recorded:
            answer = json.load(recorded)
        shift = today - FROST_DAY
        for series in ("hourly", "daily"):
            answer[series]["time"] = [(datetime.date.fromisoformat(time[:10]) + shift).isoformat() + time[10:]
                                      for time in answer[series]["time"]]
        body = json.dumps(answer).encode("utf-8")

        class Answer(http.server.BaseHTTPRequestHandler):
            def do_GET(self):
                found = self.path.startswith("/v1/forecast?")
                self.send_response(200 if found else 404)
                self.send_header("Content-Type", "application/json")
                self.send_header("Content-Length", str(len(body) if found else 0))
                self.end_headers()
                if found:
                    self.wfile.write(body)

            def log_message(self, *args):
                pass

        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Answer)
        self.base = f"http://127.0.0.1:{self.server.server_address[1]}"
        threading.Thread(target=self.server.serve_forever, daemon=True).start()

    def stop(self):
        self.server.shutdown()
        self.server.server_close()


def garden_collection(cli, folder, forecasts):
    """Three trees on two places, and the garden's location beside the collection's path,
    in the settings the server is given."""
    os.makedirs(folder)
    table = os.path.join(folder, "garden.csv")
    with open(table, "w", encoding="utf-8", newline="") as out:
        csv.writer(out).writerows([["Name", "BotanicalName", "Spare111", "Spare112"],
                                   ["Momiji", "Acer palmatum", "low=-3;high=35", f"{BENCH}\topen-air\t0"],
                                   ["Juniper", "Juniperus chinensis", "low=-10;high=40", f"{BENCH}\topen-air\t0"],
                                   ["Ficus", "Ficus retusa", "", f"{SHELF}\tindoors\t0"]])
    collection = os.path.join(folder, "garden.tvn")
    run_cli(cli, "import", table, collection)
    key = hashlib.sha256(os.path.normpath(os.path.abspath(collection)).encode("utf-8")).hexdigest()[:32]
    location = os.path.join(os.path.dirname(os.path.abspath(folder)), "xdg", "config", "talvane", "garden", key + ".json")
    os.makedirs(os.path.dirname(location), exist_ok=True)
    with open(location, "w", encoding="utf-8") as out:
        json.dump({"version": 1, "latitude": 45.76, "longitude": 4.84, "town": "Lyon", "forecastBase": forecasts.base}, out)
    return collection


def check_garden(cli, work, phone, today):
    step("a garden with frost coming, and care for a place")
    forecasts = ForecastServer(today)
    folder = os.path.join(work, "garden")
    collection = garden_collection(cli, folder, forecasts)
    server = Server(cli, collection, folder)
    try:
        phone.driver.delete_all_cookies()
        base, session = pair(server, phone)
        driver = phone.driver
        # The server reads its forecast once it serves.
        deadline = time.monotonic() + WAIT
        while not fetch_json(base + "/api/alerts", headers=session)[1].get("groups") and time.monotonic() < deadline:
            time.sleep(0.05)
        driver.get(base + "/trees")
        phone.wait_for_page("/trees", "Trees")
        night = (today + datetime.timedelta(days=1)).strftime("%A")
        frost = f"Frost \u22126 \u00b0C on {night} night: 1 tree below its limit on {BENCH} (Momiji \u22123 \u00b0C)"
        alerts = phone.wait(lambda d: [item.text for item in d.find_elements(By.CSS_SELECTOR, "section.alerts li")],
                            "the first page shows no alert of the frost coming")
        check(alerts == [frost], f"the first page says {alerts}, not {[frost]}")
        above = driver.execute_script("return document.querySelector('section.alerts').compareDocumentPosition("
                                      "document.querySelector('ul.trees')) & Node.DOCUMENT_POSITION_FOLLOWING")
        check(above, "the alerts are not above the trees")
        phone.screenshot("alerts")

        driver.find_element(By.LINK_TEXT, "Places").click()
        phone.wait_for_page("/places", "Places")
        places = driver.execute_script(
            "return [...document.querySelectorAll('section.place')].map(s => [s.querySelector('h2').textContent,"
            " [...s.querySelectorAll('ul.trees strong')].map(n => n.textContent)])")
        check(places == [[BENCH, ["Juniper", "Momiji"]], [SHELF, ["Ficus"]]],
              f"the Places page lists {places}, not each place with its trees by name")
        phone.check_text_only("the Places page")
        bench = driver.find_elements(By.CSS_SELECTOR, "section.place")[0]
        bench.find_element(By.TAG_NAME, "summary").click()
        form = bench.find_element(By.CSS_SELECTOR, "form.log")
        kind = Select(form.find_element(By.NAME, "kind")).first_selected_option.get_attribute("value")
        date = form.find_element(By.NAME, "date").get_attribute("value")
        check((kind, date) == ("Watering", today.isoformat()), f"the place's care starts as {kind} on {date}")
        form.find_element(By.NAME, "text").send_keys(WATERED)
        phone.screenshot("place-care", bench)
        form.find_element(By.CSS_SELECTOR, "button[type=submit]").click()
        said = phone.wait(lambda d: [m.text for m in d.find_elements(By.CSS_SELECTOR, ".message[role=status]")],
                          "logging care for the bench said nothing")
        check(said == ["Watering logged on 2 trees\n" + SAVED], f"logging care for the bench said {said}")
        phone.check_text_only("the Places page after the care")
        check(server.stop() == 0, "the garden's server did not stop cleanly:\n" + "\n".join(server.lines))
    finally:
        server.kill()
        forecasts.stop()
    entries = json.loads(run_cli(cli, "dump", collection))["entries"]
    for index, entry in enumerate(entries):
        events = json.loads(run_cli(cli, "journal", collection, "--entry", str(index)))["events"]
        watered = [(event["kind"], event["date"], event["text"]) for event in events]
        expected = [("Watering", today.isoformat(), WATERED)] if entry["Name"] != "Ficus" else []
        check(watered == expected, f"{entry['Name']}'s journal holds {watered}, not {expected}")


def run(args, work):
    require_browser()
    today = datetime.date.today()
    due = today + datetime.timedelta(days=DUE_IN_DAYS)
    done_on = today - datetime.timedelta(days=DONE_DAYS_AGO)
    cli = os.path.abspath(args.cli)
    folder = os.path.join(work, "collection")
    os.makedirs(folder)
    shutil.copy(os.path.join(args.data, "sample.tvn"), folder)
    for sub in ("Album", "Photos"):
        shutil.copytree(os.path.join(args.data, sub), os.path.join(folder, sub))
    collection = os.path.join(folder, "sample.tvn")
    photos_folder = os.path.join(folder, "Photos")
    sample_photos = sorted(os.listdir(photos_folder))

    entries = json.loads(run_cli(cli, "dump", collection))["entries"]
    names = [entry["Name"] for entry in entries]
    momiji = names.index("Momiji")
    momiji_id = entries[momiji]["id"]
    check(momiji_id, "the sample's Momiji has no identifier to print on a label")
    album_count = sum(1 for slot in range(1, 6) if entries[momiji].get(f"Photo{slot}", ""))
    check(album_count > 0, "the sample's Momiji has no album pictures to show")
    before = journals(cli, collection, len(entries))

    # Two photos just taken on the phone.
    uploads = []
    for number, name in enumerate(sample_photos[:2]):
        target = os.path.join(work, f"IMG_{2001 + number}.jpg")
        phone_photo(os.path.join(photos_folder, name), target, today)
        uploads.append(target)

    step("serving the copy of the sample")
    server = Server(cli, collection, folder)
    driver = None
    try:
        driver = start_browser(os.path.join(work, "profile"))
        phone = Phone(driver, args.screenshots)
        _, base = server.pairing()
        status, answer = fetch_json(base + "/api/trees")
        check(status == 401 and NOT_PAIRED in answer.get("error", ""),
              f"/api/trees answered {status} {answer} to a phone that is not paired")
        driver.get(base + "/trees")
        phone.wait(lambda d: NOT_PAIRED in d.find_element(By.TAG_NAME, "body").text,
                   "a phone that is not paired is not told how to pair")

        step("pairing")
        _, session = pair(server, phone)
        check_script_policy(phone, base + "/trees", session)
        check(driver.execute_script("return document.documentElement.lang") == "en",
              "the page does not say which language it speaks")

        step("the Trees list")
        listed = phone.tree_names()
        check(sorted(listed) == sorted(names), f"the Trees page lists {listed}, not the sample's {names}")
        check(listed == sorted(listed, key=str.casefold), f"the Trees page is not sorted by name: {listed}")
        check(f"{len(names)} trees" in driver.find_element(By.TAG_NAME, "main").text,
              "the Trees page does not count the trees")
        phone.wait_for_images(driver.find_elements(By.CSS_SELECTOR, "ul.trees img"), "thumbnail")
        # A tree's count of tasks due stays whole beside a long botanical name.
        badges = driver.find_elements(By.CSS_SELECTOR, "ul.trees .badge")
        check(badges, "no tree of the list shows its tasks due")
        for badge in badges:
            lines = driver.execute_script(
                "const b = arguments[0], style = getComputedStyle(b);"
                "return (b.getBoundingClientRect().height - parseFloat(style.paddingTop) - parseFloat(style.paddingBottom))"
                " / parseFloat(style.lineHeight)", badge)
            check(lines < 1.5, f"the badge {badge.text!r} breaks over {lines:.1f} lines")
        phone.screenshot("trees")

        # A label's code as another QR encoder draws it, sent as the camera's photo.
        step("scanning a label")
        label_photo = os.path.join(work, "label.png")
        subprocess.run(["qrencode", "-s", "6", "-o", label_photo, "talvane:tree/" + momiji_id], check=True)
        camera = driver.find_element(By.ID, "label-photo")
        check(camera.get_attribute("capture") == "environment", "the label field does not ask for the camera")
        camera.send_keys(label_photo)
        driver.find_element(By.CSS_SELECTOR, "form.scan button").click()
        phone.wait_for_page(re.escape("/tree/" + momiji_id), "Momiji")
        driver.back()
        phone.wait_for_page("/trees", "Trees")
        driver.find_element(By.ID, "label-photo").send_keys(os.path.join(photos_folder, sample_photos[0]))
        driver.find_element(By.CSS_SELECTOR, "form.scan button").click()
        phone.wait_for_alert("No QR code can be read")
        check(urllib.parse.urlsplit(driver.current_url).path == "/trees" and phone.heading() == "Trees",
              "a photo without a code left the Trees page")

        # A label's printed code, typed as a phone keyboard gives it, opens its tree.
        step("searching a label's code")
        search = driver.find_element(By.NAME, "q")
        search.send_keys(label_code(momiji_id).lower().replace("-", " "))
        driver.find_element(By.CSS_SELECTOR, "form.search button").click()
        phone.wait_for_page(re.escape("/tree/" + momiji_id), "Momiji")
        driver.back()
        phone.wait_for_page("/trees", "Trees")

        # Momiji is "Érable du Japon" in French: typed without its accent, as on a phone
        # keyboard, the search must still find it, and only it.
        step("searching without the accent")
        search = driver.find_element(By.NAME, "q")
        search.clear()
        search.send_keys("erable")
        driver.find_element(By.CSS_SELECTOR, "form.search button").click()
        phone.wait(lambda d: "q=erable" in d.current_url, "the search was not sent")
        phone.wait_for_page("/trees", "Trees")
        listed = phone.tree_names()
        check(listed == ["Momiji"], f"searching 'erable' lists {listed}, not only Momiji")
        check(f"1 of {len(names)} trees" in driver.find_element(By.TAG_NAME, "main").text,
              "the filtered list does not count one tree")
        check(driver.find_element(By.NAME, "q").get_attribute("value") == "erable",
              "the search field forgot the words searched")

        step("the tree's page")
        driver.find_element(By.CSS_SELECTOR, "ul.trees a").click()
        phone.wait_for_page(r"/tree/[a-z0-9-]+", "Momiji")
        tree_path = urllib.parse.urlsplit(driver.current_url).path
        check("Acer palmatum" in driver.find_element(By.TAG_NAME, "main").text,
              "the tree's page does not give its botanical name")
        album = phone.section_images("Album")
        check(len(album) == album_count, f"the tree's page shows {len(album)} album pictures, not {album_count}")
        phone.wait_for_images(album, "album picture")
        # Its timeline mixes originals of the Photos folder with pictures of the album.
        timeline = phone.section_images("Timeline")
        timeline_before = {image.get_attribute("src") for image in timeline}
        album_named = [image for image in timeline
                       if urllib.parse.unquote(urllib.parse.urlsplit(image.get_attribute("src")).path).lower().endswith(".bmp")]
        check(album_named, "the sample's Momiji has no timeline event showing an album picture")
        phone.wait_for_images(timeline, "timeline photo")
        phone.screenshot("tree")

        step("the tree's timeline by season, a photo full size and the latest measurements")
        seasons = check_timeline_by_season(phone, cli, collection, momiji)
        headings = [heading.text for heading in driver.find_elements(By.CSS_SELECTOR, "main h2")]
        check(headings.index("Latest measurements") < headings.index("Album"),
              f"the latest measurements are not near the top of the tree's page: {headings}")
        measured_before = phone.measurements()
        check(len(measured_before) >= 2, f"the sample's Momiji shows the measurements {measured_before}")
        phone.screenshot("tree-timeline", driver.find_element(By.XPATH, "//main/h2[.='Timeline']"))
        # The newest photo, opened from the keyboard: the camera's day is its event's, so none is said.
        newest = driver.find_element(By.CSS_SELECTOR, "a.thumb")
        viewer = phone.open_full_size(newest, lambda thumbnail: thumbnail.send_keys(Keys.ENTER))
        newest_said = newest.find_element(By.TAG_NAME, "img").get_attribute("alt")
        check(viewer.text.startswith("Back\n" + seasons[0][1][0]) and newest_said.split(": ", 1)[-1] in viewer.text and
              "Taken" not in viewer.text, f"the newest photo full size says {viewer.text!r}")
        phone.check_fits()
        driver.back()
        phone.check_back_from_photo(newest, tree_path)

        step("logging care done two days ago, with a measurement, a repeat and two photos")
        driver.find_element(By.LINK_TEXT, "Log care").click()
        phone.wait_for_page(re.escape(tree_path) + "/log", "Log care")
        date_field = driver.find_element(By.NAME, "date")
        # The form may have been made on either side of midnight.
        today = datetime.date.today()
        days = {today.isoformat(), (today - datetime.timedelta(days=1)).isoformat()}
        check(date_field.get_attribute("value") in days and date_field.get_attribute("max") == date_field.get_attribute("value"),
              "the care's date is not today, at the latest")
        Select(driver.find_element(By.NAME, "kind")).select_by_visible_text(LOGGED_KIND)
        driver.find_element(By.NAME, "text").send_keys(LOGGED_TEXT)
        repeat = driver.find_element(By.NAME, "repeat")
        check(not repeat.is_enabled(), "a repeat is offered before the next step has a due date")
        # A date field's typing follows the browser's language; its value does not.
        for name, value in (("date", done_on), ("due", due)):
            driver.execute_script("arguments[0].value = arguments[1];"
                                  "arguments[0].dispatchEvent(new Event('change', {bubbles: true}))",
                                  driver.find_element(By.NAME, name), value.isoformat())
        check(repeat.is_enabled(), "no repeat is offered once the next step has a due date")
        Select(repeat).select_by_visible_text(REPEAT[1])
        by_dates = driver.find_element(By.ID, "byPhotoDates")
        check(not by_dates.is_selected() and by_dates.find_element(By.XPATH, "..").text ==
              "Add photos to the timeline by their dates", "the choice of one event a photo is not offered, unticked")
        for key, (amount, unit) in (("height", HEIGHT), ("trunk", (NOT_AN_AMOUNT, TRUNK[1]))):
            driver.find_element(By.NAME, f"amount-{key}").send_keys(amount)
            Select(driver.find_element(By.NAME, f"unit-{key}")).select_by_visible_text(unit)
        driver.find_element(By.ID, "photos").send_keys("\n".join(uploads))
        chosen = driver.execute_script("return arguments[0].files.length", driver.find_element(By.ID, "photos"))
        check(chosen == 2, f"the file input took {chosen} photos, not 2")
        phone.screenshot("log-care")
        state_before_log = file_state(collection, photos_folder)

        # The server cannot be reached until told otherwise: every attempt is lost on the
        # way. Each one's key and whether Save could be pressed again meanwhile are kept
        # where the next page can read them.
        driver.execute_script("""
            const send = window.fetch;
            window.unreachable = true;
            window.fetch = (url, init = {}) => {
                if (init.method === "POST") {
                    const sent = JSON.parse(sessionStorage.getItem("sent") || "[]");
                    sent.push({key: new Headers(init.headers).get("Idempotency-Key"),
                               saveDisabled: document.querySelector("form.log button[type=submit]").disabled});
                    sessionStorage.setItem("sent", JSON.stringify(sent));
                    if (window.unreachable)
                        return Promise.reject(new TypeError("Failed to fetch"));
                }
                return send(url, init);
            };""")
        save = driver.find_element(By.CSS_SELECTOR, "form.log button[type=submit]")
        save.click()
        phone.wait_for_alert(LOST)
        phone.wait(lambda d: save.is_enabled(), "Save stayed disabled once the attempt was lost")
        lost = json.loads(driver.execute_script("return sessionStorage.getItem('sent')"))
        check(len(lost) > 1, f"a care lost on the way was not sent again before saying so: {lost}")
        kept = driver.execute_script(
            "const f = document.querySelector('form.log');"
            "return [f.text.value, f.due.value, document.getElementById('photos').files.length]")
        check(kept == [LOGGED_TEXT, due.isoformat(), 2], f"the form lost what was typed and chosen: {kept}")
        offered = driver.find_elements(By.CSS_SELECTOR, ".message[role=alert] button")
        check([button.text for button in offered] == [SEND_AGAIN],
              f"the lost care is offered to be sent again by {[button.text for button in offered]}")
        driver.execute_script("window.unreachable = false")
        offered[0].click()
        refusal = phone.wait_for_alert(f"\u201c{NOT_AN_AMOUNT}\u201d is not an amount")
        check(file_state(collection, photos_folder) == state_before_log, f"a refused care changed the file: {refusal}")
        phone.wait(lambda d: save.is_enabled(), "Save stayed disabled after the refusal")
        kept = driver.execute_script(
            "const f = document.querySelector('form.log');"
            "return [f.kind.value, f.text.value, f.due.value, f.date.value, f.repeat.value, f['amount-height'].value,"
            " f['unit-height'].value, f['amount-trunk'].value, f['unit-trunk'].value,"
            " document.getElementById('photos').files.length]")
        check(kept == [LOGGED_KIND, LOGGED_TEXT, due.isoformat(), done_on.isoformat(), REPEAT[0], HEIGHT[0], HEIGHT[1],
                       NOT_AN_AMOUNT, TRUNK[1], 2], f"the refused form lost what was typed and chosen: {kept}")
        phone.check_fits()
        trunk = driver.find_element(By.NAME, "amount-trunk")
        trunk.clear()
        trunk.send_keys(TRUNK[0])
        save.click()
        phone.wait(lambda d: urllib.parse.urlsplit(d.current_url).path == tree_path and
                   d.find_elements(By.TAG_NAME, "h1") and phone.heading() == "Momiji",
                   "saving the care did not lead back to the tree's page")
        phone.check_fits()
        saved = [m.text for m in driver.find_elements(By.CSS_SELECTOR, ".message[role=status]")]
        check(saved == [SAVED], f"the tree's page says {saved} of the care written to the file, not {SAVED!r}")
        sent = json.loads(driver.execute_script("return sessionStorage.getItem('sent')"))
        keys = [attempt["key"] for attempt in sent]
        check(len(sent) == len(lost) + 2 and all(attempt["saveDisabled"] for attempt in sent),
              f"Save could be pressed while its care was being sent: {sent}")
        check(all(key and re.fullmatch(r"[A-Za-z0-9-]{8,64}", key) for key in keys) and
              len(set(keys[:-1])) == 1 and keys[-2] != keys[-1],
              f"the care sent again after lost attempts, then corrected, was keyed {keys}")
        state_after_log = file_state(collection, photos_folder)
        check(state_after_log[0] != state_before_log[0], "saving the care did not write the file")

        # The care is logged once, on the day chosen, with both photos, whatever day their cameras say.
        logged = [item.text for item in driver.find_elements(By.CSS_SELECTOR, "ol.journal li") if LOGGED_TEXT in item.text]
        check(len(logged) == 1, f"the journal shows the care logged {len(logged)} times, not once")
        for said in (f"{done_on.isoformat()} {LOGGED_KIND}", "Height 41.5 cm, Trunk diameter 4.2 cm",
                     f"Next step due {due.isoformat()}, then {REPEAT[2]}"):
            check(said in logged[0], f"the care logged does not say {said!r}: {logged[0]!r}")
        new_photos = [image for image in phone.section_images("Timeline")
                      if image.get_attribute("src") not in timeline_before]
        check(len(new_photos) == 2, f"the timeline shows {len(new_photos)} new photos, not 2")
        phone.wait_for_images(new_photos, "new timeline photo")
        check_timeline_by_season(phone, cli, collection, momiji)
        # Shown full size, a photo logged says its care and the other day its camera gives.
        thumbnail = new_photos[0].find_element(By.XPATH, "..")
        viewer = phone.open_full_size(thumbnail, lambda thumbnail: thumbnail.click())
        said = f"{done_on.isoformat()} \u00b7 {LOGGED_KIND}\nTaken {today.isoformat()}\n{LOGGED_TEXT}"
        check(viewer.text == "Back\n" + said, f"the photo logged says {viewer.text!r} full size, not {said!r}")
        viewer.find_element(By.TAG_NAME, "button").click()
        phone.check_back_from_photo(thumbnail, tree_path)
        measured = phone.measurements()
        logged_measures = {"Height": f"{HEIGHT[0]} {HEIGHT[1]}", "Trunk diameter": f"{TRUNK[0]} {TRUNK[1]}"}
        check(measured == dict(measured_before, **{label: (value, done_on.isoformat())
                                                   for label, value in logged_measures.items()}),
              f"the latest measurements are {measured} once care was logged, from {measured_before}")

        step("the Due page")
        driver.find_element(By.LINK_TEXT, "Due").click()
        phone.wait_for_page("/due", "Due")
        check(driver.find_element(By.CSS_SELECTOR, "nav a[aria-current=page]").text == "Due",
              "the navigation does not show the Due page as the current one")
        tasks = driver.find_elements(By.CSS_SELECTOR, "li.task")
        check(len(tasks) >= 2, f"the sample has {len(tasks)} tasks due; at least 2 are needed to tell one from others")
        # Each task's button stands beside its date, overdue ones too, where a thumb finds it.
        for task in tasks:
            when, button = task.find_element(By.CSS_SELECTOR, ".when"), task.find_element(By.TAG_NAME, "button")
            beside = driver.execute_script(
                "const a = arguments[0].getBoundingClientRect(), b = arguments[1].getBoundingClientRect();"
                "return a.top < b.bottom && b.top < a.bottom && a.right <= b.left", when, button)
            check(beside, f"the Mark done button of {task.text.splitlines()[0]!r} is not beside its date")
            for date in when.find_elements(By.TAG_NAME, "time"):
                check(driver.execute_script("return arguments[0].getClientRects().length", date) == 1,
                      f"the date {date.text!r} of {task.text.splitlines()[0]!r} is broken over two lines")
        phone.screenshot("due")
        subscribe = driver.find_element(By.LINK_TEXT, "Subscribe to the care calendar").get_attribute("href")
        check(subscribe.startswith("webcal://"), f"the calendar is offered as {subscribe}, not webcal://")
        calendar_url = "http://" + subscribe[len("webcal://"):]
        status, calendar_before = fetch(calendar_url)
        check(status == 200 and calendar_before.startswith("BEGIN:VCALENDAR"),
              f"the subscription link gave {status}: {calendar_before[:80]!r}")
        events_before = ical_events(calendar_before)
        titles = [task.find_element(By.CSS_SELECTOR, "a").text for task in tasks]
        for title in titles:
            check(sum(1 for summary, _ in events_before if summary == title) == 1,
                  f"the calendar does not hold the due task {title!r} once")
        logged_tasks = [task for task, title in zip(tasks, titles) if title == LOGGED_TITLE]
        check(len(logged_tasks) == 1 and f"Due {due.isoformat()}" in logged_tasks[0].text,
              f"the Due page does not list the next step logged from the phone: {titles}")
        check((LOGGED_TITLE, due.strftime("%Y%m%d")) in events_before,
              "the calendar does not hold the next step logged from the phone on its day")

        # One of the sample's own tasks is marked done; the one logged stays.
        done_index = next(index for index, title in enumerate(titles) if title != LOGGED_TITLE)
        task = tasks[done_index]
        done_title = titles[done_index]
        status, listed_due = fetch_json(base + "/api/due", headers=session)
        done_ids = [item["task"] for item in listed_due.get("tasks", []) if item["title"] == done_title]
        check(status == 200 and len(done_ids) == 1, f"/api/due does not list {done_title!r} once: {listed_due}")
        done_line = int(done_ids[0].split(".")[1])
        # Answered as a window that holds the collection unsaved answers.
        driver.execute_script("""
            const send = window.fetch;
            window.fetch = async (url, init = {}) => {
                const answer = await send(url, init);
                if (init.method !== "POST")
                    return answer;
                const body = await answer.json();
                return new Response(JSON.stringify({...body, saved: false}), {status: answer.status, headers: answer.headers});
            };""")
        task.find_element(By.CSS_SELECTOR, "form.done button").click()
        phone.wait(EC.staleness_of(task), "marking the task done did not show the list again")
        phone.wait_for_page("/due", "Due")
        kept = phone.wait(lambda d: [m.text for m in d.find_elements(By.CSS_SELECTOR, ".message[role=status]")],
                          "marking the task done did not say where it went")
        check(kept == [KEPT], f"the Due page says {kept} of a task kept unsaved, not {KEPT!r}")
        left = driver.find_elements(By.CSS_SELECTOR, "li.task")
        left_titles = [item.find_element(By.CSS_SELECTOR, "a").text for item in left]
        check(done_title not in left_titles, f"{done_title!r} is still due after it was marked done")
        check(left_titles == titles[:done_index] + titles[done_index + 1:],
              f"the other tasks changed when one was marked done: {left_titles}")

        step("the calendar, as a calendar application fetches it")
        subscribe = driver.find_element(By.LINK_TEXT, "Subscribe to the care calendar").get_attribute("href")
        status, calendar_after = fetch("http://" + subscribe[len("webcal://"):])
        check(status == 200 and calendar_after.startswith("BEGIN:VCALENDAR") and
              calendar_after.rstrip().endswith("END:VCALENDAR"), f"the calendar gave {status}: {calendar_after[:80]!r}")
        events_after = ical_events(calendar_after)
        check(done_title not in [summary for summary, _ in events_after], f"the calendar still holds {done_title!r}")
        others = [event for event in events_before if event[0] != done_title]
        check(sorted(events_after) == sorted(others),
              f"the calendar lost or gained other tasks: {sorted(set(events_after) ^ set(others))}")
        calendar_address = urllib.parse.urlsplit(calendar_url)
        for query in ("key=" + "0" * 32, "key=", ""):
            status, _ = fetch(urllib.parse.urlunsplit(calendar_address._replace(query=query)))
            check(status == 401, f"the calendar with {query or 'no key'!r} answered {status}, not 401")

        step("a write sent twice, and writes refused")
        status, session_said = fetch_json(base + "/api/session", headers=session)
        check(status == 200 and session_said.get("formToken"), f"/api/session answered {status}: {session_said}")
        body, content_type = multipart([("kind", "Feeding"), ("date", today.isoformat()), ("text", SENT_TWICE)], [])
        events_url = f"{base}/api/trees/{momiji_id}/events"
        write = dict(session, **{"Content-Type": content_type, "X-Talvane-Form": session_said["formToken"],
                                 "Idempotency-Key": uuid.uuid4().hex})
        status, added = fetch_json(events_url, body, write)
        check(status == 201 and added.get("tree") == momiji_id, f"a care sent by the API answered {status}: {added}")
        state = file_state(collection, photos_folder)
        status, again = fetch_json(events_url, body, write)
        check(status == 409 and again.get("error"), f"the same care sent again with its key answered {status}: {again}")
        refused = {"without the form token": ({key: value for key, value in write.items() if key != "X-Talvane-Form"}, 403),
                   "without the session": ({key: value for key, value in write.items() if key != "Cookie"}, 401),
                   "from another site": (dict(write, Origin="http://elsewhere.example"), 403)}
        for what, (headers, expected) in refused.items():
            status, answer = fetch_json(events_url, body, dict(headers, **{"Idempotency-Key": uuid.uuid4().hex}))
            check(status == expected and answer.get("error"), f"a care sent {what} answered {status}, not {expected}")
        check(file_state(collection, photos_folder) == state, "a write sent again or refused changed the collection")

        step("stopping the server")
        status = server.stop()
        check(status == 0, f"the server stopped with status {status}:\n" + "\n".join(server.lines))
        check(any(line.startswith("Stopped serving") for line in server.lines),
              "the server did not say it stopped:\n" + "\n".join(server.lines))

        check_markup_shown_as_text(cli, work, phone, today)
        check_garden(cli, work, phone, today)
    finally:
        if driver is not None:
            driver.quit()
        server.kill()

    step("the changes in the file")
    after = journals(cli, collection, len(entries))
    check(len(json.loads(run_cli(cli, "dump", collection))["entries"]) == len(entries), "the file lost or gained trees")
    done_entries = [index for index in range(len(entries))
                    if done_title.startswith(names[index] + ": ") and
                    before[index].get(done_line, {}).get("due") and not after[index][done_line]["due"]]
    check(len(done_entries) == 1, f"the task {done_title!r} is not done in the file")
    done_entry = done_entries[0]
    task_before = before[done_entry][done_line]

    new_photo_files = sorted(set(os.listdir(photos_folder)) - set(sample_photos))
    check(len(new_photo_files) == 2, f"the Photos folder gained {new_photo_files}, not two photos")
    for index in range(len(entries)):
        added = {line: event for line, event in after[index].items() if line not in before[index]}
        for line, event in before[index].items():
            expected = dict(event, due=None) if (index, line) == (done_entry, done_line) else event
            check(after[index][line] == expected, f"{names[index]}'s journal line {line} changed: {after[index][line]}")
        wanted = 0
        if index == momiji:
            wanted += 2
            photo_events = [event for event in added.values() if event["picture"]]
            check([(event["kind"], event["text"], event["due"], event["date"]) for event in photo_events] ==
                  [(LOGGED_KIND, LOGGED_TEXT, due.isoformat(), done_on.isoformat())],
                  f"Momiji's journal holds {photo_events}, not the one care logged on the day chosen")
            pictures = sorted([photo_events[0]["picture"]] + photo_events[0].get("morePictures", []))
            check(pictures == ["Photos/" + name for name in new_photo_files],
                  f"the care names {pictures}, not the photos copied {new_photo_files}")
            copied = sorted(digest_of(os.path.join(photos_folder, name)) for name in new_photo_files)
            check(copied == sorted(digest_of(path) for path in uploads),
                  "the photos copied into the Photos folder are not the photos sent")
            twice = [event for event in added.values() if event["text"] == SENT_TWICE]
            check(len(twice) == 1 and twice[0]["kind"] == "Feeding" and twice[0]["date"] == today.isoformat(),
                  f"the care sent twice is in Momiji's journal as {twice}, not once")
            timeline = json.loads(run_cli(cli, "timeline", collection, "--entry", str(momiji)))["photos"]
            on_timeline = [photo for photo in timeline if photo["line"] in added]
            check(len(on_timeline) == 2 and all(photo["present"] and photo["date"] == done_on.isoformat()
                                                for photo in on_timeline),
                  f"Momiji's timeline does not show the two photos on the day chosen: {on_timeline}")
            measured = [photo["measurements"] for photo in on_timeline]
            check(measured == [[{"kind": "height", "amount": HEIGHT[0], "unit": HEIGHT[1], "centimetres": 41.5},
                                {"kind": "trunk", "amount": TRUNK[0], "unit": TRUNK[1], "centimetres": 4.2}]] * 2,
                  f"the photos of the care do not show its measurements: {measured}")
        if index == done_entry:
            wanted += 1
            done_events = [event for event in added.values() if event["text"] == task_before["text"]]
            check(len(done_events) == 1 and done_events[0]["kind"] == task_before["kind"] and
                  done_events[0]["date"] == today.isoformat() and done_events[0]["due"] is None,
                  f"marking done did not note the work today: {list(added.values())}")
        check(len(added) == wanted, f"{names[index]}'s journal gained {len(added)} events, not {wanted}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--cli", required=True, help="talvane-cli to serve with")
    parser.add_argument("--data", required=True, help="the folder of sample.tvn, Album and Photos")
    parser.add_argument("--screenshots", help="save the phone's pages here as PNG")
    args = parser.parse_args()
    if args.screenshots:
        os.makedirs(args.screenshots, exist_ok=True)
    started = time.monotonic()
    work = tempfile.mkdtemp(prefix="talvane-browser-")
    try:
        run(args, work)
    except Failure as failure:
        print(f"FAILED: {failure}", file=sys.stderr)
        return 1
    finally:
        shutil.rmtree(work, ignore_errors=True)
    print(f"The phone companion works in the browser ({time.monotonic() - started:.1f} s).")
    return 0


if __name__ == "__main__":
    sys.exit(main())
