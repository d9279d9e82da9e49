-- Registry database (nuv_mob): one row per customer company, telling the
-- client where that company's own database lives. Mirrors the columns the
-- client reads at login, for tests and the demo; the real schema belongs to
-- the enterprise system.

set client_min_messages = warning;

-- Customer companies and the address of each one's database.
-- nume_firma is matched exactly (case-sensitive) against the name typed at
-- login; activ is fetched but not consulted by the client.
create table if not exists m_firma (
    nume_firma varchar(200) not null primary key,
    ip         text,
    port       integer,
    db_name    text,
    activ      boolean
);
