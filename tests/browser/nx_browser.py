"""Shared pieces of the browser tests: the real NxCloudService program on a
private data directory, a headless Chromium and small HTTP and picture helpers."""

import json
import os
import shutil
import signal
import struct
import subprocess
import tempfile
import time
import urllib.error
import urllib.request
import zlib

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.common.exceptions import StaleElementReferenceException, TimeoutException
from selenium.webdriver.support.ui import WebDriverWait

CHROMIUM = '/usr/bin/chromium'
CHROMEDRIVER = '/usr/bin/chromedriver'


class CloudService:
    """NxCloudService with a temporary SQLite data directory filled from the
    demo seed and an administrator password of its own."""

    def __init__(self, program, seed, password):
        self.directory = tempfile.mkdtemp(prefix='nx-admin-page-')
        password_file = os.path.join(self.directory, 'admin-password')
        with open(password_file, 'w', encoding='utf-8') as out:
            out.write(password + '\n')
        data = os.path.join(self.directory, 'data')
        os.mkdir(data)
        self.log = open(os.path.join(self.directory, 'service.log'), 'w+', encoding='utf-8')
        self.process = subprocess.Popen(
            [program, '--port', '0', '--data', data, '--seed', seed, '--admin-password-file', password_file],
            stdout=subprocess.PIPE, stderr=self.log, text=True)
        self.base_url = self.process.stdout.readline().strip()
        if not self.base_url.startswith('http://'):
            self.stop()
            raise RuntimeError('NxCloudService did not start: ' + self.errors())

    def errors(self):
        self.log.seek(0)
        return self.log.read()[-4000:]

    def stop(self):
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
            try:
                self.process.wait(timeout=15)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.process.stdout.close()
        self.log.close()
        shutil.rmtree(self.directory, ignore_errors=True)


def request(method, url, body=None, headers=None):
    """(status, headers, body bytes) of one HTTP exchange, errors included."""
    data = json.dumps(body).encode() if isinstance(body, dict) else body
    all_headers = dict(headers or {})
    if isinstance(body, dict):
        all_headers.setdefault('Content-Type', 'application/json')
    req = urllib.request.Request(url, data=data, method=method, headers=all_headers)
    try:
        with urllib.request.urlopen(req, timeout=20) as answer:
            return answer.status, answer.headers, answer.read()
    except urllib.error.HTTPError as error:
        return error.code, error.headers, error.read()


def chromium(language):
    options = webdriver.ChromeOptions()
    options.binary_location = CHROMIUM
    for argument in ('--headless=new', '--no-sandbox', '--disable-dev-shm-usage', '--disable-gpu',
                     '--no-first-run', '--disable-extensions', '--disable-background-networking',
                     '--disable-component-update', '--disable-sync', '--lang=' + language):
        options.add_argument(argument)
    options.add_experimental_option('prefs', {'intl.accept_languages': language})
    options.set_capability('goog:loggingPrefs', {'browser': 'ALL'})
    driver = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)
    driver.implicitly_wait(0)
    return driver


def set_viewport(driver, width, height):
    """A laptop or, below 500 pixels, a phone: touch and a mobile viewport."""
    driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride', {
        'width': width, 'height': height, 'deviceScaleFactor': 1, 'mobile': width < 500})


# Where a wait that times out leaves a screenshot of the page, when set.
failure_dir = None


def wait_until(driver, condition, seconds=20, message=''):
    # Lists are rebuilt as answers arrive: an element read a moment too late is retried.
    wait = WebDriverWait(driver, seconds, poll_frequency=0.1, ignored_exceptions=[StaleElementReferenceException])
    try:
        return wait.until(lambda d: condition(), message)
    except TimeoutException:
        if failure_dir:
            driver.save_screenshot(os.path.join(failure_dir, 'timed-out-' + str(int(time.time() * 1000)) + '.png'))
        raise


def png(width, height, colour):
    """A real PNG of one colour with a stripe, written without any library."""
    red, green, blue = colour
    rows = b''
    for y in range(height):
        pixel = bytes((255, 255, 255)) if height // 3 <= y < 2 * height // 3 else bytes((red, green, blue))
        rows += b'\x00' + pixel * width
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xffffffff)
    header = struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0)
    return b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + chunk(b'IDAT', zlib.compress(rows)) + chunk(b'IEND', b'')
