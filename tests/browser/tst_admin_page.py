#!/usr/bin/python3
"""The admin page (/admin) in a real headless Chromium against the real
NxCloudService program: signing in, channels with pictures, an M3U import,
live codes, and what must be refused."""

import argparse
import os
import shutil
import sys
import tempfile
import unittest

from selenium.webdriver.common.by import By

import nx_browser as nx

PASSWORD = 'Correct horse 42'
ARGS = argparse.Namespace()
# A console line that only reports an answer the test asked to be refused.
EXPECTED_CONSOLE = ('status of 401', 'status of 403', 'status of 409')


class AdminPage(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.service = nx.CloudService(ARGS.service, ARGS.seed, PASSWORD)
        cls.base = cls.service.base_url
        cls.files = tempfile.mkdtemp(prefix='nx-admin-files-')
        cls.driver = nx.chromium('en-US')

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()
        shutil.rmtree(cls.files, ignore_errors=True)
        cls.service.stop()

    def setUp(self):
        self.fresh_page(self.driver)

    def tearDown(self):
        # A script error or a resource refused by the page's policy is a fault.
        faults = [e['message'] for e in self.driver.get_log('browser')
                  if e['level'] == 'SEVERE' and not any(x in e['message'] for x in EXPECTED_CONSOLE)]
        self.assertEqual(faults, [], 'console errors')

    # --- helpers -----------------------------------------------------------

    def fresh_page(self, driver, width=1366, height=768):
        nx.set_viewport(driver, width, height)
        driver.get(self.base + '/admin')
        driver.delete_all_cookies()
        driver.execute_script('localStorage.clear()')
        driver.get(self.base + '/admin')
        nx.wait_until(driver, lambda: driver.find_element(By.ID, 'signin').is_displayed(), message='no sign-in form')

    def sign_in(self, name='admin', password=PASSWORD, driver=None, expect=True):
        d = driver or self.driver
        for field, value in (('signin-name', name), ('signin-password', password)):
            element = d.find_element(By.ID, field)
            element.clear()
            element.send_keys(value)
        d.find_element(By.CSS_SELECTOR, '#signin-form button[type=submit]').click()
        if expect:
            nx.wait_until(d, lambda: d.find_element(By.ID, 'shell').is_displayed(), message='not signed in')
        else:
            nx.wait_until(d, lambda: d.find_element(By.ID, 'signin-error').is_displayed(), message='no refusal shown')
            self.assertFalse(d.find_element(By.ID, 'shell').is_displayed())

    def open_section(self, name):
        self.driver.find_element(By.CSS_SELECTOR, f'.sidebar a[data-view="{name}"]').click()
        nx.wait_until(self.driver, lambda: self.driver.find_elements(By.CSS_SELECTOR, f'#view[data-shown="{name}"]'),
                      message='the section did not open: ' + name)

    def field(self, name):
        return self.driver.find_element(By.CSS_SELECTOR, f'#dialog [name="{name}"]')

    def fill(self, values):
        for name, value in values.items():
            element = self.field(name)
            element.clear()
            element.send_keys(value)

    def submit_dialog(self):
        self.field('submit').click()
        nx.wait_until(self.driver, lambda: not self.driver.execute_script("return document.getElementById('dialog').open"),
                      message='the dialog stayed open: ' + self.driver.find_element(By.ID, 'dialog').text)

    def rows(self):
        return self.driver.find_elements(By.CSS_SELECTOR, '.view .results .list tbody tr')

    def search(self, text):
        box = self.driver.find_element(By.CSS_SELECTOR, '.view input[name=q]')
        box.clear()
        box.send_keys(text)

    def write_file(self, name, data):
        path = os.path.join(self.files, name)
        with open(path, 'wb') as out:
            out.write(data)
        return path

    def session_status(self):
        return self.page_fetch("return (await fetch('/admin/api/session')).status;")

    def page_fetch(self, script):
        """Runs an async function body in the page; its return value comes back."""
        return self.driver.execute_async_script(
            'const done = arguments[arguments.length - 1];'
            '(async () => {' + script + '})().then(done, (e) => done({error: String(e)}));')

    # --- tests -------------------------------------------------------------

    def test_page_is_served_with_a_strict_policy(self):
        status, headers, body = nx.request('GET', self.base + '/admin')
        self.assertEqual(status, 200)
        self.assertTrue(headers['Content-Type'].startswith('text/html'))
        policy = headers['Content-Security-Policy']
        self.assertIn("script-src 'self'", policy)
        self.assertIn("default-src 'none'", policy)
        self.assertEqual(headers['X-Content-Type-Options'], 'nosniff')
        self.assertNotIn(b'<script>', body)  # every script is a file of its own
        status, headers, _ = nx.request('GET', self.base + '/admin/js/main.js')
        self.assertEqual(status, 200)
        self.assertTrue(headers['Content-Type'].startswith('text/javascript'))
        status, _, _ = nx.request('GET', self.base + '/admin/js/main.js', headers={'If-None-Match': headers['ETag']})
        self.assertEqual(status, 304)
        self.assertEqual(nx.request('GET', self.base + '/admin/api/session')[0], 401)

    def test_wrong_password_is_refused(self):
        self.sign_in(password='not the password', expect=False)
        self.assertEqual(self.session_status(), 401)
        self.sign_in()
        cookie = self.driver.get_cookie('nx_admin')
        self.assertTrue(cookie['httpOnly'])
        self.assertEqual(cookie['sameSite'], 'Strict')

    def test_change_without_csrf_token_is_refused(self):
        self.sign_in()
        result = self.page_fetch("""
            const categories = (await (await fetch('/admin/api/categories')).json()).categories;
            const category = categories.find((c) => c.id !== 'tvstation').id;
            const body = JSON.stringify({category, name: 'Sent without a token', address: 'https://example.org/token'});
            const send = (headers) => fetch('/admin/api/channels', {method: 'POST', body,
                headers: {'Content-Type': 'application/json', ...headers}});
            const without = (await send({})).status;
            const forged = (await send({'X-CSRF-Token': 'forged'})).status;
            const query = '/admin/api/channels?category=' + category + '&q=' + encodeURIComponent('Sent without');
            const before = (await (await fetch(query)).json()).total;
            const csrf = (await (await fetch('/admin/api/session')).json()).csrf;
            const right = (await send({'X-CSRF-Token': csrf})).status;
            return {without, forged, before, right};
        """)
        self.assertEqual(result, {'without': 403, 'forged': 403, 'before': 0, 'right': 201})

    def test_add_channel_with_picture(self):
        self.sign_in()
        self.open_section('channels')
        name = 'Browser channel <b>not bold</b>'
        self.driver.find_element(By.CSS_SELECTOR, '.view button[name=add]').click()
        self.fill({'name': name, 'address': 'https://example.org/lesson?a=1&b=2',
                   'introduction': "'; DROP TABLE channels; --"})
        self.field('picture').send_keys(self.write_file('picture.png', nx.png(320, 180, (40, 160, 90))))
        preview = self.driver.find_element(By.CSS_SELECTOR, '#dialog img.preview')
        nx.wait_until(self.driver, lambda: self.driver.execute_script(
            'return arguments[0].complete && arguments[0].naturalWidth', preview) == 320, message='no preview')
        self.submit_dialog()
        self.search('Browser channel')
        # The list reloads after the dialog and again for the search: wait for the filtered one.
        nx.wait_until(self.driver, lambda: [r.find_element(By.CSS_SELECTOR, '.name').text for r in self.rows()] == [name],
                      message='the new channel is not the only one listed')
        row = self.rows()[0]
        self.assertEqual(row.find_elements(By.TAG_NAME, 'b'), [])  # shown as text, not markup
        self.assertIn('DROP TABLE', row.text)
        thumb = row.find_element(By.CSS_SELECTOR, 'img.thumb')
        nx.wait_until(self.driver, lambda: self.driver.execute_script(
            'return arguments[0].complete && arguments[0].naturalWidth > 0', thumb), message='the picture did not load')
        self.assertFalse(thumb.get_attribute('src').startswith('blob:'))

    def test_import_m3u_playlist(self):
        self.sign_in()
        self.open_section('stations')
        playlist = ('#EXTM3U\n'
                    '#EXTINF:-1 tvg-logo="https://example.org/one.png" group-title="News",Imported station one\n'
                    'https://example.org/one.m3u8\n'
                    '#EXTINF:-1 group-title="News",Imported station two\n'
                    'http://example.org/two.m3u8\n'
                    '#EXTINF:-1,Imported station three\n'
                    'https://example.org/three.m3u8\n'
                    '#EXTINF:-1,Imported station by ftp\n'
                    'ftp://example.org/four\n')
        self.driver.find_element(By.CSS_SELECTOR, '.view button[name=import]').click()
        self.field('file').send_keys(self.write_file('stations.m3u', playlist.encode()))
        self.submit_dialog()
        report = self.driver.find_element(By.CSS_SELECTOR, '.import-report')
        nx.wait_until(self.driver, lambda: report.text, message='no import report')
        self.assertIn('3', report.find_element(By.CSS_SELECTOR, '.added').text)
        skipped = report.find_elements(By.CSS_SELECTOR, 'tbody tr')
        self.assertEqual(len(skipped), 1)
        self.assertIn('ftp://example.org/four', skipped[0].text)
        self.search('Imported station')
        nx.wait_until(self.driver, lambda: sorted(r.find_element(By.CSS_SELECTOR, '.name').text for r in self.rows())
                      == ['Imported station one', 'Imported station three', 'Imported station two'],
                      message='the imported stations are not listed')

    def test_create_live_code(self):
        self.sign_in()
        self.open_section('live-codes')
        for attempt in ('created', 'refused'):
            self.driver.find_element(By.CSS_SELECTOR, '.view button[name=add]').click()
            self.driver.find_element(By.CSS_SELECTOR, '#dialog input[name=codeMode][value=choose]').click()
            self.fill({'code': '246810', 'address': self.base + '/media/demo-live.mp4', 'title': 'Browser lesson'})
            self.driver.execute_script("arguments[0].value = '2031-06-01T08:30'", self.field('validUntil'))
            if attempt == 'created':
                self.submit_dialog()
                continue
            self.field('submit').click()  # the same code again: in use
            error = self.driver.find_element(By.CSS_SELECTOR, '#dialog .form-error')
            nx.wait_until(self.driver, error.is_displayed, message='a code in use was handed out twice')
            self.field('cancel').click()
        nx.wait_until(self.driver, lambda: self.driver.find_elements(By.CSS_SELECTOR, '.view tr[data-id="246810"]'),
                      message='the new live code is not listed')
        row = self.driver.find_element(By.CSS_SELECTOR, '.view tr[data-id="246810"]')
        self.assertIn('Browser lesson', row.text)
        self.assertIn('2031', row.text)
        self.assertTrue(row.find_element(By.CSS_SELECTOR, 'input[name=enabled]').is_selected())

    def test_teacher_cannot_sign_in_at_admin(self):
        self.sign_in()
        self.open_section('teachers')
        self.driver.find_element(By.CSS_SELECTOR, '.view button[name=add]').click()
        self.fill({'id': 'browser-teacher', 'name': 'Teacher Li', 'password': 'Teacher pass 7'})
        self.submit_dialog()
        nx.wait_until(self.driver, lambda: self.driver.find_elements(By.CSS_SELECTOR, '.view tr[data-id="browser-teacher"]'),
                      message='the new teacher is not listed')
        self.driver.find_element(By.ID, 'sign-out').click()
        nx.wait_until(self.driver, lambda: self.driver.find_element(By.ID, 'signin').is_displayed())
        # The new teacher by id and by name, and the seed's demo teacher with its documented password.
        for name, password in (('browser-teacher', 'Teacher pass 7'), ('Teacher Li', 'Teacher pass 7'),
                               ('demo-teacher', 'demo1234')):
            self.sign_in(name, password, expect=False)
            self.assertEqual(self.session_status(), 401)

    def test_laptop_and_phone_in_both_languages(self):
        chinese = nx.chromium('zh-CN')
        try:
            for driver, language, title in ((self.driver, 'en', 'Administrator sign-in'), (chinese, 'zh', '管理员登录')):
                for width, height in ((1366, 768), (390, 844)):
                    self.fresh_page(driver, width, height)
                    self.assertEqual(driver.find_element(By.CSS_SELECTOR, '#signin h1').text, title)
                    self.sign_in(driver=driver)
                    nx.wait_until(driver, lambda: driver.find_elements(By.CSS_SELECTOR, '.view .list tbody tr'))
                    overflow = driver.execute_script('return document.documentElement.scrollWidth - window.innerWidth')
                    self.assertLessEqual(overflow, 0, f'{language} {width}px scrolls sideways')
                    driver.save_screenshot(os.path.join(ARGS.screens, f'admin-{language}-{width}x{height}.png'))
            self.fresh_page(self.driver)
            self.driver.find_element(By.CSS_SELECTOR, '#signin .lang-switch').click()
            self.assertEqual(self.driver.find_element(By.CSS_SELECTOR, '#signin h1').text, '管理员登录')
        finally:
            chinese.quit()


if __name__ == '__main__':
    parser = argparse.ArgumentParser()
    parser.add_argument('--service', required=True, help='the NxCloudService program')
    parser.add_argument('--seed', required=True, help='the demo seed that fills the empty database')
    parser.add_argument('--screens', required=True, help='where the screenshots go')
    ARGS, rest = parser.parse_known_args()
    os.makedirs(ARGS.screens, exist_ok=True)
    nx.failure_dir = ARGS.screens
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)
