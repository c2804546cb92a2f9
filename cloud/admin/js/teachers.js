// Teachers' accounts, and their own channels (read-only, with delete).

import * as api from './api.js';
import { t } from './i18n.js';
import { button, changedFields, closeDialog, confirmDelete, errorText, formDialog, h, openDialog, ownPicture, pager, table, toast } from './ui.js';

const PAGE = 50;

function avatar(teacher) {
  return ownPicture(teacher.avatar) ? h('img', { class: 'avatar', src: ownPicture(teacher.avatar), alt: '' })
                        : h('div', { class: 'avatar none', text: (teacher.name || '?').slice(0, 1) });
}

function createTeacher() {
  return formDialog({
    title: t('addTeacher'),
    fields: [
      { name: 'id', label: t('teacherId'), required: true, autocomplete: 'off' },
      { name: 'name', label: t('name'), required: true },
      { name: 'password', label: t('password'), type: 'password', required: true, autocomplete: 'new-password' },
      { name: 'avatar', label: t('avatar'), placeholder: 'https://' },
      { name: 'enabled', label: t('enabled'), type: 'checkbox', value: true },
    ],
    onSubmit: (values) => {
      if (!values.avatar) delete values.avatar;
      return api.post('teachers', values);
    },
  });
}

function editTeacher(teacher) {
  return formDialog({
    title: t('editTeacher') + ' · ' + teacher.id,
    fields: [
      { name: 'name', label: t('name'), required: true, value: teacher.name },
      { name: 'password', label: t('passwordKeep'), type: 'password', autocomplete: 'new-password' },
      { name: 'avatar', label: t('avatar'), value: teacher.avatar },
      { name: 'enabled', label: t('enabled'), type: 'checkbox', value: teacher.enabled },
    ],
    onSubmit: (values) => {
      const fields = changedFields(values, teacher);
      if (!values.password) delete fields.password;
      return Object.keys(fields).length ? api.patch(`teachers/${api.segment(teacher.id)}`, fields) : teacher;
    },
  });
}

async function showOwnChannels(teacher, reload) {
  const path = `teachers/${api.segment(teacher.id)}/channels`;
  const box = h('div', { class: 'own-channels', text: t('loading') });
  async function load() {
    try {
      const answer = await api.get(path);
      box.replaceChildren(table([
        { label: t('name'), cell: (c) => h('div', { class: 'name-cell' }, h('div', { class: 'name', text: c.name }),
                                           h('div', { class: 'muted mono break', text: c.address || '' })) },
        { label: t('actions'), class: 'col-actions', cell: (c) => button(t('delete'), async () => {
            try { await api.remove(`${path}/${api.segment(c.channelId ?? c.id)}`); toast(t('deleted')); reload(); } catch (e) { toast(t('failed', errorText(e)), 'error'); }
            load();
          }, { kind: 'ghost danger-text', iconName: 'trash', name: 'delete' }) },
      ], answer.channels, t('noOwnChannels')));
    } catch (e) {
      box.replaceChildren(h('div', { class: 'empty error', text: errorText(e) }));
    }
  }
  openDialog(t('ownChannelsOf', teacher.name), box,
             [h('button', { type: 'button', class: 'primary', name: 'close', text: t('close'), onclick: closeDialog })], null, true);
  load();
}

export async function renderTeachers(view) {
  const state = { offset: 0 };
  const results = h('div', { class: 'results' });

  async function load() {
    try {
      const answer = await api.get('teachers', { offset: state.offset, limit: PAGE });
      results.replaceChildren(table([
        { label: t('avatarPicture'), class: 'col-thumb', cell: avatar },
        { label: t('name'), cell: (x) => h('div', { class: 'name-cell' }, h('div', { class: 'name', text: x.name }),
                                           h('div', { class: 'muted mono', text: x.id })) },
        { label: t('status'), cell: (x) => h('span', { class: 'pill ' + (x.enabled ? 'on' : 'off'), text: x.enabled ? t('enabled') : t('disabled') }) },
        { label: t('ownChannels'), class: 'col-num', cell: (x) => button(String(x.ownChannels ?? 0), () => showOwnChannels(x, load),
                                                                           { iconName: 'list', name: 'own-channels', title: t('ownChannels') }) },
        { label: t('actions'), class: 'col-actions', cell: (x) => h('div', { class: 'row-actions' },
            button(t('edit'), async () => { if (await editTeacher(x)) { toast(t('saved')); load(); } }, { iconName: 'edit', name: 'edit' }),
            button(t('delete'), async () => {
              if (!(await confirmDelete(x.name))) return;
              try { await api.remove(`teachers/${api.segment(x.id)}`); toast(t('deleted')); } catch (e) { toast(t('failed', errorText(e)), 'error'); }
              load();
            }, { kind: 'ghost danger-text', iconName: 'trash', name: 'delete' })) },
      ], answer.teachers), pager(state.offset, PAGE, answer.total, (offset) => { state.offset = offset; load(); }));
    } catch (e) {
      results.replaceChildren(h('div', { class: 'empty error', text: errorText(e) }));
    }
  }

  const add = button(t('addTeacher'), async () => { if (await createTeacher()) { toast(t('created')); load(); } },
                     { kind: 'primary', iconName: 'plus', name: 'add' });
  view.replaceChildren(h('div', { class: 'view-head' }, h('h1', { text: t('navTeachers') })),
    h('section', { class: 'card panel' }, h('div', { class: 'toolbar' }, h('div'), h('div', { class: 'tools' }, add)), results));
  load();
}
