// The admin page: sign-in, the sections and the language switch.

import * as api from './api.js';
import { onLanguageChange, switchLanguage, t, translate } from './i18n.js';
import { renderAudit } from './audit.js';
import { renderChannels, renderStations } from './channels.js';
import { renderLiveCodes } from './liveCodes.js';
import { renderTeachers } from './teachers.js';
import { dismissDialog, errorText, formDialog, h, toast } from './ui.js';

const views = {
  channels: renderChannels,
  stations: renderStations,
  'live-codes': renderLiveCodes,
  teachers: renderTeachers,
  audit: renderAudit,
};

const $ = (id) => document.getElementById(id);

function currentView() {
  const name = location.hash.replace(/^#/, '');
  return views[name] ? name : 'channels';
}

let renders = 0;

// Each section is built apart and shown only if no later choice overtook it.
async function showView() {
  dismissDialog();
  const name = currentView();
  const render = ++renders;
  for (const link of document.querySelectorAll('.sidebar a')) {
    link.classList.toggle('active', link.dataset.view === name);
    if (link.dataset.view !== name) {
      link.removeAttribute('aria-current');
      continue;
    }
    link.setAttribute('aria-current', 'page');
    link.scrollIntoView({ block: 'nearest', inline: 'nearest' }); // a phone's strip of tabs
  }
  const view = $('view');
  delete view.dataset.shown;
  view.replaceChildren(h('div', { class: 'empty loading', text: t('loading') }));
  const body = h('div', { class: 'view-body' });
  try {
    await views[name](body);
  } catch (e) {
    body.replaceChildren(h('div', { class: 'empty error', text: errorText(e) }));
  }
  if (render !== renders) return;
  view.replaceChildren(body);
  view.dataset.shown = name;
}

function showSignIn(message) {
  dismissDialog();
  api.setCsrf('');
  $('shell').hidden = true;
  $('signin').hidden = false;
  $('view').replaceChildren();
  const error = $('signin-error');
  error.textContent = message || '';
  error.hidden = !message;
  $('signin-password').value = '';
  $(($('signin-name').value ? 'signin-password' : 'signin-name')).focus();
}

function showShell(session) {
  api.setCsrf(session.csrf);
  $('who').textContent = session.name;
  $('signin').hidden = true;
  $('shell').hidden = false;
  showView();
}

async function signIn(event) {
  event.preventDefault();
  const form = event.target;
  const submit = form.querySelector('button[type=submit]');
  const error = $('signin-error');
  submit.disabled = true;
  submit.textContent = t('signingIn');
  try {
    showShell(await api.post('session', { name: $('signin-name').value.trim(), password: $('signin-password').value }));
  } catch (e) {
    error.textContent = e.status === 401 ? t('wrongPassword')
                      : e.status === 429 ? t('tooMany', e.retryAfter || 60) : errorText(e);
    error.hidden = false;
    $('signin-password').select();
  } finally {
    submit.disabled = false;
    submit.textContent = t('signIn');
  }
}

async function changePassword() {
  const changed = await formDialog({
    title: t('changePassword'),
    fields: [
      { name: 'current', label: t('currentPassword'), type: 'password', required: true, autocomplete: 'current-password', wide: true },
      { name: 'password', label: t('newPassword'), type: 'password', required: true, autocomplete: 'new-password', wide: true },
      { name: 'repeat', label: t('repeatPassword'), type: 'password', required: true, autocomplete: 'new-password', wide: true },
    ],
    onSubmit: async ({ current, password, repeat }) => {
      if (password.length < 8) throw new Error(t('passwordShort'));
      if (password !== repeat) throw new Error(t('passwordsDiffer'));
      await api.post('password', { current, password });
      return true;
    },
  });
  if (changed) toast(t('passwordChanged'));
}

async function signOut() {
  try { await api.remove('session'); } catch (e) { /* the session is gone either way */ }
  showSignIn();
}

async function start() {
  translate();
  for (const el of document.querySelectorAll('.lang-switch')) el.addEventListener('click', switchLanguage);
  onLanguageChange(() => { if (!$('shell').hidden) showView(); });
  $('signin-form').addEventListener('submit', signIn);
  $('sign-out').addEventListener('click', signOut);
  $('change-password').addEventListener('click', changePassword);
  window.addEventListener('hashchange', () => { if (!$('shell').hidden) showView(); });
  api.whenSignedOut(() => { if (!$('shell').hidden) showSignIn(t('sessionEnded')); });
  try {
    showShell(await api.get('session'));
  } catch (e) {
    showSignIn(e.status === 401 ? '' : errorText(e));
  }
  document.body.classList.add('ready');
}

start().catch((e) => toast(errorText(e), 'error'));
